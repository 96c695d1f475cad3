#!/bin/sh
# The version reads the same everywhere it appears: the VERSION file, the
# changelog's newest entry, `lumeric --version`, the manual page and the
# version resources of the built Windows modules.
# Usage: version-test.sh SOURCE-DIR LUMERIC MANPAGE [MODULE...]
set -e
source="$1"; lumeric="$2"; manpage="$3"; shift 3
fail() { echo "version: $*" >&2; exit 1; }
version=$(head -n 1 "$source/VERSION")
[ -n "$version" ] || fail "VERSION is empty"

newest=$(grep -m 1 '^## ' "$source/CHANGELOG.md" | sed 's/^## \([^ ]*\).*/\1/')
[ "$newest" = "$version" ] || fail "CHANGELOG.md's newest entry is $newest, VERSION says $version"
[ "$("$lumeric" --version)" = "lumeric $version (LumericII)" ] || fail "lumeric --version says $("$lumeric" --version)"
head -n 1 "$manpage" | grep -q "lumeric $version" || fail "the manual page says $(head -n 1 "$manpage")"
for module in "$@"; do
  [ -f "$module" ] || { [ -n "$LUMERIC_REQUIRE_WIN_MODULES" ] && fail "missing $module"; continue; }
  texts=$(wrestool -x --raw --type=16 "$module" | strings -el)
  [ "$(echo "$texts" | grep -c -x -- "$version")" -ge 2 ] || fail "$module: file and product version are not $version"
done
echo "version: $version everywhere"
