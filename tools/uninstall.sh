#!/bin/sh
# Removes exactly the files that `cmake --install` listed in its manifest,
# under the DESTDIR the install used, then the folder of ours that is left
# empty. Usage: tools/uninstall.sh MANIFEST [DESTDIR]
set -e
manifest="$1"; destdir="$2"
if [ ! -f "$manifest" ]; then
  echo "uninstall: nothing installed from this build ($manifest is missing)" >&2
  exit 0
fi
while IFS= read -r file || [ -n "$file" ]; do
  [ -n "$file" ] || continue
  rm -f "$destdir$file"
  echo "removed $destdir$file"
  # Our own folders go when they are empty; shared ones stay.
  case "$file" in
    */share/doc/lumeric/*|*/plug-ins/plug-in-lumeric-engrave/*) rmdir "$destdir$(dirname "$file")" 2>/dev/null || true ;;
  esac
done < "$manifest"
rm -f "$manifest"
