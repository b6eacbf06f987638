#!/usr/bin/env bash
# Checks the export and import tables of quendra3shell.dll.
set -euo pipefail
objdump=$1
image=$2
dump=$("$objdump" -p "$image")

exports=$(printf '%s\n' "$dump" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
          sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*//p' | sort)
expected=$(printf '%s\n' DllCanUnloadNow DllGetClassObject DllInstall DllRegisterServer \
           DllUnregisterServer | sort)
if [ "$exports" != "$expected" ]; then
  echo "unexpected exports:"; printf '%s\n' "$exports"; exit 1
fi

system='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|msvcrt|api-ms-win-[a-z0-9-]+)\.dll$'
status=0
while read -r dll; do
  if ! printf '%s\n' "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$system"; then
    echo "not a Windows system import: $dll"; status=1
  fi
done < <(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ "$status" -eq 0 ] && echo "quendra3shell image: five COM exports, system imports only"
exit "$status"
