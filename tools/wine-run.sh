#!/bin/sh
# Runs a Windows test program under wine64, headless, in the project's own
# prefix (made on first use under build/). Used as CMake's cross-compiling
# emulator, so CTest runs Windows tests like native ones.
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${LUMERIC_WINEPREFIX:-$here/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
# One wineserver and its services stay alive across test programs (starting
# them costs seconds). They are started detached from our output, or CTest
# would wait for them to close its pipes.
if ! wineserver -p 300 </dev/null >/dev/null 2>&1 || [ ! -f "$WINEPREFIX/system.reg" ]; then
  wine wineboot -i </dev/null >/dev/null 2>&1
fi
wine wineboot </dev/null >/dev/null 2>&1
if [ -n "$DISPLAY" ]; then
  exec wine "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$@"
