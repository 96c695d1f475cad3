#!/bin/sh
# Installs the Debian 12 packages a build needs, quietly and only when
# missing. Usage: tools/install-deps.sh native|all
#   native: the Linux engine, module, lumeric command, tests and benchmarks,
#           and the GEGL operation with GIMP 2.10 to test it in
#   all:    native plus the Windows cross builds, wine64 and Xvfb for their
#           tests, and clang with its sanitizer and fuzzer runtimes
# Never installs wine32: this kernel cannot run 32-bit code, and with it
# present `wine` picks the 32-bit loader.
set -e
set -- "${1:-all}"

native="cmake ninja-build g++ pkg-config libgtest-dev googletest libbenchmark-dev \
libpng-dev libtiff-dev libjpeg62-turbo-dev liblcms2-dev libgs-common zlib1g-dev icoutils \
man-db bsdextrautils binutils libgegl-dev gegl gimp libgimp2.0-dev"
windows="g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 \
libz-mingw-w64-dev wine wine64 xvfb xauth xdotool clang libclang-rt-14-dev"

wanted="$native"
[ "$1" = "all" ] && wanted="$native $windows"

missing=""
for p in $wanted; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
echo "Installing:$missing" >&2
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq >/dev/null
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
