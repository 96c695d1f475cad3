#!/bin/sh
# Fails when a source file includes a header of a layer above its own (or
# beside it, where the layers do not meet). The build enforces the same
# through the include paths each library publishes; this check names the
# offending line even where a build would find the header by accident.
#
#   settings <- engine <- host <- dialog, controls <- module;  cli on top
#   gegl/ (the GEGL operation and the GIMP procedure) on top of settings
#   and engine alone
#   resources (identifiers only) may be included by every Windows layer;
#   dialog/ and controls/ both sit on host/, and only dialog/ uses controls/.
#
# Usage: tools/check-layers.sh [source-root]
root="${1:-.}"
status=0

allowed() {
  case "$1" in
    settings)  echo "settings" ;;
    engine)    echo "settings engine" ;;
    resources) echo "resources" ;;
    host)      echo "settings engine host resources" ;;
    controls)  echo "settings engine host controls resources" ;;
    dialog)    echo "settings engine host controls dialog resources" ;;
    module)    echo "settings engine host controls dialog module resources" ;;
    cli)       echo "settings engine host controls dialog module resources cli" ;;
    gegl)      echo "settings engine gegl" ;;
  esac
}

for layer in settings engine resources host controls dialog module cli gegl; do
  [ -d "$root/$layer" ] || continue
  ok=$(allowed "$layer")
  # Every quoted include naming a folder of the project.
  for file in $(find "$root/$layer" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.rc' \)); do
    grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z]*/' "$file" | while IFS= read -r line; do
      target=$(echo "$line" | sed 's/.*#[[:space:]]*include[[:space:]]*"\([a-z]*\)\/.*/\1/')
      case " $ok " in
        *" $target "*) ;;
        *) echo "${file#$root/}:${line%%:*}: $layer/ may not include $target/ (${line#*:})"; echo x >&3 ;;
      esac
    done 3>>"${TMPDIR:-/tmp}/layers.$$"
  done
done
if [ -s "${TMPDIR:-/tmp}/layers.$$" ]; then status=1; fi
rm -f "${TMPDIR:-/tmp}/layers.$$"
[ $status -eq 0 ] && echo "layers: every include respects the layers"
exit $status
