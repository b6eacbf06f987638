#!/usr/bin/env bash
# pennaroo.dll exports exactly the two native methods and imports from Windows only.
set -euo pipefail
objdump=$1
image=$2
dump=$("$objdump" -p "$image")
exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort)
expected=$(printf '%s\n' \
  Java_lv_tarsel_pennaroo_installer_WindowsLauncher_jniElevateAndWait \
  Java_lv_tarsel_pennaroo_installer_WindowsLauncher_jniSendMessage)
if [ "$exports" != "$expected" ]; then
  echo "unexpected export table:"; echo "$exports"; exit 1
fi
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$dump" | tr '[:upper:]' '[:lower:]' | sort -u)
for dll in $imports; do
  case "$dll" in
    kernel32.dll|advapi32.dll|shell32.dll|user32.dll|msvcrt.dll|api-ms-win-*) ;;
    *) echo "import from a non-system library: $dll"; exit 1 ;;
  esac
done
echo "pennaroo.dll: exports and imports as expected"
