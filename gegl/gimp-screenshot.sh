#!/bin/sh
# Takes docs/images/gimp-lumeric.png: GIMP 2.10's dialog for lumeric:engrave
# beside its preview on the canvas, on a virtual screen. A developer's tool
# for the README, not a test: it drives GIMP's windows by keyboard and
# screen positions (GIMP 2.10.34 on Debian 12, a 1400 x 900 screen), so
# look at the picture before committing it.
# Needs a native build (make native), GIMP, xvfb, xdotool, x11-apps (xwd)
# and openbox. Usage, from the source root: sh gegl/gimp-screenshot.sh
set -e
if [ -z "$LUMERIC_SCREEN" ]; then
  exec env LUMERIC_SCREEN=1 xvfb-run -a -s "-screen 0 1400x900x24" sh "$0" "$@"
fi
root=$(pwd)
home=$(mktemp -d)
trap 'kill $gimp $wm 2>/dev/null; rm -rf "$home"' EXIT

# The operation installed as a user installs it; image profiles kept as they are.
HOME="$home" cmake --install build/linux --component gimp --prefix "$home/.local" >/dev/null
mkdir -p "$home/.config/GIMP/2.10"
echo '(color-profile-policy keep)' > "$home/.config/GIMP/2.10/gimprc"

HOME="$home" openbox >/dev/null 2>&1 & wm=$!
HOME="$home" GEGL_USE_OPENCL=no gimp-2.10 --no-splash "$root/samples/astronaut.png" >/dev/null 2>&1 & gimp=$!
window=$(xdotool search --sync --name ' – GIMP$' | head -1)
xdotool windowmove "$window" 0 0 windowsize "$window" 1400 900
sleep 3

# Tools > GEGL Operation..., then LumericII from its list of operations.
xdotool windowactivate --sync "$window" key alt+t g
dialog=$(xdotool search --sync --name '^GEGL Operation$' | head -1)
xdotool windowmove --sync "$dialog" 1030 40
xdotool key space
sleep 1
xdotool key Home
for step in 1 2 3 4 5 6 7 8 9 10; do xdotool key Down; done
xdotool key Return
sleep 8  # the preview renders on the canvas

xwd -root -silent -out "$home/screen.xwd"
out="$root/docs/images/gimp-lumeric.png"
HOME="$home" gimp-console-2.10 -i -d -f -b "(let* ((image (car (file-xwd-load RUN-NONINTERACTIVE \"$home/screen.xwd\" \"screen.xwd\")))
  (layer (car (gimp-image-get-active-drawable image))))
  (file-png-save-defaults RUN-NONINTERACTIVE image layer \"$out\" \"$out\"))" -b '(gimp-quit 0)' >/dev/null 2>&1
echo "$out"
