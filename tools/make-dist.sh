#!/bin/sh
# Builds the Windows packages: build/dist/LumericII-win64.zip and
# LumericII-win32.zip, each a folder LumericII-<version> with the module,
# the starter presets, the help page with its pictures, a read-me, the
# licence, the notices and the changelog.
# Usage: tools/make-dist.sh (from the source root, after make native win64 win32)
set -e
version=$(head -n 1 VERSION)
out=build/dist
pictures="$out/pictures"
rm -rf "$out"
mkdir -p "$pictures"
# The help page's pictures, drawn by the engine from the sample photo.
build/linux/tools/render-gallery --help-pictures samples/astronaut.png presets "$pictures"
for arch in win64 win32; do
  module="build/$arch/lumeric2.8bf"
  [ -f "$module" ] || { echo "make-dist: $module is missing (make $arch)" >&2; exit 1; }
  stage="$out/$arch/LumericII-$version"
  mkdir -p "$stage/Lumeric saves" "$stage/LumericIIHelp/images"
  cp "$module" "$stage/"
  cp presets/*.lmv "$stage/Lumeric saves/"
  cp help/lumericIIhelp.htm help/help.css "$stage/LumericIIHelp/"
  cp "$pictures"/*.png "$stage/LumericIIHelp/images/"
  bits=64; [ "$arch" = win32 ] && bits=32
  sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$bits-bit/" tools/dist/ReadMe.txt | sed 's/$/\r/' > "$stage/ReadMe.txt"
  cp LICENSE THIRD-PARTY-NOTICES.md CHANGELOG.md "$stage/"
  (cd "$out/$arch" && cmake -E tar cf "../LumericII-$arch.zip" --format=zip "LumericII-$version")
  echo "$out/LumericII-$arch.zip"
done
rm -rf "$pictures" "$out/win64" "$out/win32"
