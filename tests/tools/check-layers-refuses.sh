#!/bin/sh
# The layer check must fail on a forbidden include and pass on an allowed
# one; run on a small planted tree.
check="$1"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/engine" "$tree/host"
printf '#include "settings/EngraveSettings.h"\n' > "$tree/engine/Good.cpp"
printf '#include "engine/Engrave.h"\n' > "$tree/host/Good.cpp"
sh "$check" "$tree" >/dev/null || { echo "allowed includes were refused"; exit 1; }
printf '  #  include "host/EngraveParams.h"\n' > "$tree/engine/Bad.cpp"
if sh "$check" "$tree"; then echo "a planted engine -> host include passed"; exit 1; fi
rm "$tree/engine/Bad.cpp"
printf '#include "dialog/RunDialog.h"\n' > "$tree/host/Bad.h"
if sh "$check" "$tree"; then echo "a planted host -> dialog include passed"; exit 1; fi
exit 0
