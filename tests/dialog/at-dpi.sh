#!/bin/sh
# Runs a Windows test program in a wine prefix of its own whose screen has
# the given DPI (and room for a dialog of that size).
# Usage: at-dpi.sh DPI PROGRAM [ARGUMENTS...]
set -e
here=$(cd "$(dirname "$0")/../.." && pwd)
dpi="$1"; shift
export LUMERIC_WINEPREFIX="$here/build/wineprefix-$dpi"
export LUMERIC_SCREEN=2560x2048x24
if [ ! -f "$LUMERIC_WINEPREFIX/.dpi-$dpi" ]; then
  "$here/tools/wine-run.sh" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  WINEPREFIX="$LUMERIC_WINEPREFIX" wineserver -k 2>/dev/null || true
  touch "$LUMERIC_WINEPREFIX/.dpi-$dpi"
fi
"$here/tools/wine-run.sh" "$@"
status=$?
WINEPREFIX="$LUMERIC_WINEPREFIX" wineserver -k 2>/dev/null || true
exit $status
