#!/bin/sh
# Fails when a built Windows program or module needs a DLL that Windows
# does not ship (libstdc++-6.dll, libgcc_s_seh-1.dll, libwinpthread-1.dll,
# ...): lumeric2.8bf and lumeric.exe must run on a bare Windows.
# Usage: check-imports.sh OBJDUMP FILE...   (exit 77: nothing to check)
objdump=$1
shift
allowed="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comctl32.dll comdlg32.dll version.dll
msvcrt.dll ole32.dll oleaut32.dll windowscodecs.dll mscms.dll shlwapi.dll"
status=0
checked=0
for file in "$@"; do
  if [ ! -f "$file" ]; then
    if [ "$LUMERIC_REQUIRE_WIN_MODULES" = 1 ]; then
      echo "missing: $file"
      status=1
    else
      echo "not built, not checked: $file"
    fi
    continue
  fi
  dlls=$("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' | tr 'A-Z' 'a-z' | tr -d '\r')
  if [ -z "$dlls" ]; then
    echo "$file: no imports could be read"
    status=1
    continue
  fi
  for dll in $dlls; do
    case " $(echo $allowed) " in
      *" $dll "*) ;;
      *) echo "$file: needs $dll, which Windows does not ship"; status=1 ;;
    esac
  done
  echo "$file:" $dlls
  checked=$((checked + 1))
done
[ "$status" -eq 0 ] && [ "$checked" -eq 0 ] && exit 77
exit $status
