#!/bin/sh
# Runs a Windows test program under wine64, headless, in the project's own
# prefix (made on first use under build/). Used as CMake's cross-compiling
# emulator, so CTest runs Windows tests like native ones.
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${LUMERIC_WINEPREFIX:-$here/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
# Keep one wineserver alive across test programs: starting it costs seconds.
wineserver -p 120 >/dev/null 2>&1 || true
if [ -n "$LUMERIC_WINE_DISPLAY" ] || [ -n "$DISPLAY" ]; then
  exec wine "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$@"
