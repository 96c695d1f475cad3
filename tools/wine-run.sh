#!/bin/sh
# Runs a Windows test program under wine64, headless, in the project's own
# prefix (made on first use under build/). Used as CMake's cross-compiling
# emulator, so CTest runs Windows tests like native ones.
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${LUMERIC_WINEPREFIX:-$here/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
# Wine's desktop process belongs to the wineserver and keeps the display it
# was started with: a desktop started without one makes every later window
# fail, and one started on a test's own short-lived screen dies with it. So
# without a display of our own, the prefix gets one virtual screen, started
# once and shared by the wineserver and every test program.
if [ -z "$DISPLAY" ]; then
  exec 9>"$WINEPREFIX/.xvfb.lock"
  flock 9
  pid=$(cat "$WINEPREFIX/.xvfb.pid" 2>/dev/null)
  if [ -z "$pid" ] || ! kill -0 "$pid" 2>/dev/null || [ ! -s "$WINEPREFIX/.xvfb.display" ]; then
    wineserver -k </dev/null >/dev/null 2>&1  # its desktop has no usable screen
    rm -f "$WINEPREFIX/.xvfb.display"
    Xvfb -displayfd 8 -screen 0 "${LUMERIC_SCREEN:-1280x1024x24}" -nolisten tcp 8>"$WINEPREFIX/.xvfb.display" 9>&- </dev/null >/dev/null 2>&1 &
    echo $! >"$WINEPREFIX/.xvfb.pid"
    tries=0
    while [ ! -s "$WINEPREFIX/.xvfb.display" ] && [ $tries -lt 100 ]; do sleep 0.1; tries=$((tries + 1)); done
  fi
  DISPLAY=":$(cat "$WINEPREFIX/.xvfb.display")"
  export DISPLAY
  exec 9>&-
fi
# One wineserver and its services stay alive across test programs (starting
# them costs seconds). They are started detached from our output, or CTest
# would wait for them to close its pipes.
if ! wineserver -p 300 </dev/null >/dev/null 2>&1 || [ ! -f "$WINEPREFIX/system.reg" ]; then
  wine wineboot -i </dev/null >/dev/null 2>&1
fi
wine wineboot </dev/null >/dev/null 2>&1
exec wine "$@"
