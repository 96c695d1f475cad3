#!/bin/sh
# Installs into a temporary DESTDIR and checks that every file is where it
# belongs, that the manual page renders and names every option --help lists,
# that the completion script parses, and that uninstalling removes all of it.
# Usage: install-test.sh BUILD-DIR SOURCE-DIR
set -e
build="$1"; source="$2"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "install: $*" >&2; exit 1; }

DESTDIR="$root" cmake --install "$build" --prefix /opt/lumeric-test >/dev/null
prefix="$root/opt/lumeric-test"
for f in bin/lumeric share/man/man1/lumeric.1 share/bash-completion/completions/lumeric \
         share/doc/lumeric/LICENSE share/doc/lumeric/THIRD-PARTY-NOTICES.md share/doc/lumeric/CHANGELOG.md; do
  [ -f "$prefix/$f" ] || fail "missing $f"
done
[ -x "$prefix/bin/lumeric" ] || fail "bin/lumeric is not executable"

page=$(MANWIDTH=200 man -l "$prefix/share/man/man1/lumeric.1" 2>&1 | col -b) || fail "man -l failed: $page"
for option in $("$prefix/bin/lumeric" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
  echo "$page" | grep -q -- "$option" || fail "the manual page does not name $option"
done
bash -n "$prefix/share/bash-completion/completions/lumeric" || fail "the completion script does not parse"
grep -q "pattern=" "$prefix/share/bash-completion/completions/lumeric" || fail "no setting names after --set"

sh "$source/tools/uninstall.sh" "$build/install_manifest.txt" "$root" >/dev/null
left=$(find "$root" -type f)
[ -z "$left" ] || fail "left behind after uninstall: $left"
echo "install: every file in place, and gone again after uninstall"
