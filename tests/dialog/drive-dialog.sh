#!/bin/sh
# Opens the filter's dialog in lumeric.exe under wine and works it with real
# X input on the virtual screen: drags the rotor from 90 to 180 degrees,
# types 33 into "Space", chooses "Spiral" and presses OK. Each xdotool
# command waits for its window, and X delivers the events in order.
# Usage: drive-dialog.sh LUMERIC_EXE INPUT OUTPUT ACTION
set -e
here=$(cd "$(dirname "$0")/../.." && pwd)
exe="$1"; input="$2"; output="$3"; action="$4"
prefix="${LUMERIC_WINEPREFIX:-$here/build/wineprefix}"
# The prefix and its virtual screen first, so that the display is known.
"$here/tools/wine-run.sh" cmd /c exit >/dev/null 2>&1
DISPLAY=":$(cat "$prefix/.xvfb.display")"
export DISPLAY
"$here/tools/wine-run.sh" "$exe" engrave "$input" "$output" --dialog --record "$action" --force >/dev/null 2>&1 &
run=$!
window=$(xdotool search --sync --onlyvisible --name '^Lumeric II$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
# Dialog units to window pixels (the template is 383 x 411 units).
at() { xdotool mousemove --window "$window" $(( $1 * WIDTH / 383 )) $(( $2 * HEIGHT / 411 )); }
# The rotor (189, 238, 60 x 54): press right of its centre, drag below it.
at 243 265; xdotool mousedown 1
at 231 283; at 219 287; xdotool mouseup 1
# "Space" (326, 232): its number field, then the new value.
at 336 237; xdotool click 1 key ctrl+a type 33
xdotool key Tab
# "Pattern:" (55, 214): from "Waves 1" seven down is "Spiral".
at 115 219; xdotool click 1
xdotool key Down Down Down Down Down Down Down Return
at 349 394; xdotool click 1
wait "$run"
