#!/usr/bin/env bash
# quendra3.exe without lumapack.dll beside it: exit code 1 and one error box whose
# text names the library and whose caption is the program's own file name, also
# after the program is renamed. The box is observed as user32 receives it, in
# Wine's relay trace of MessageBoxW.
#
# Usage: MissingLibraryTest.sh WINE-RUN QUENDRA3.EXE SCRATCH-FOLDER
set -euo pipefail
wine_run=$1
program=$2
scratch=$3
# Without a display Wine's MessageBoxW returns at once instead of waiting for a click.
unset DISPLAY WAYLAND_DISPLAY

rm -rf "$scratch"
mkdir -p "$scratch"
trap 'rm -rf "$scratch"' EXIT
"$wine_run" reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ /d user32.MessageBoxW /f \
  >/dev/null 2>&1

status=0
for name in quendra3.exe "Quendra Start.exe"; do
  cp "$program" "$scratch/$name"
  code=0
  WINEDEBUG=-all,+relay "$wine_run" "$scratch/$name" -Xappcds:off >/dev/null 2>"$scratch/relay.txt" || code=$?
  calls=$(grep -a -c 'Call user32\.MessageBoxW(' "$scratch/relay.txt" || true)
  expected="Call user32.MessageBoxW(0*,[0-9a-f]* L\"lumapack.dll not found.\",[0-9a-f]* L\"$name\",0*10)"
  if [ "$code" -ne 1 ]; then
    echo "FAIL $name: exit code $code, expected 1"
    status=1
  fi
  if [ "$calls" -ne 1 ]; then
    echo "FAIL $name: $calls calls of MessageBoxW, expected 1"
    status=1
  fi
  if ! grep -a -q -- "$expected" "$scratch/relay.txt"; then
    echo "FAIL $name: no box with text \"lumapack.dll not found.\", caption \"$name\" and MB_ICONERROR; seen:"
    grep -a 'MessageBoxW' "$scratch/relay.txt" || echo "  (no call)"
    status=1
  fi
  rm -f "$scratch/$name"
done
[ "$status" -eq 0 ] && echo "missing library: exit code 1 and the expected box for each name"
exit "$status"
