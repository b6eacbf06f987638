#!/usr/bin/env bash
# quendra3.exe loads lumapack.dll from its own folder and nowhere else. The program
# is started from a working folder that holds a planted lumapack.dll (a stand-in
# that records every load and call in "received.txt" beside itself):
#   - no library beside the program: the missing-library box, exit code 1;
#   - a damaged library, or one of the other bitness, beside the program: the same;
#   - the genuine library beside the program: it runs, exit code 0;
#   - the same below an install folder whose path is longer than MAX_PATH.
# In no case may the planted library be loaded. Boxes are observed as user32
# receives them, in Wine's relay trace of MessageBoxW.
#
# Usage: LibrarySearchTest.sh WINE-RUN QUENDRA3.EXE FIXTURE-FOLDER OTHER-BITNESS-DLL SCRATCH-FOLDER
# OTHER-BITNESS-DLL is a DLL built for the other machine than the program's.
set -euo pipefail
wine_run=$1
program=$2
fixtures=$3
other_bitness=$4
scratch=$5
# Without a display Wine's MessageBoxW returns at once instead of waiting for a click.
unset DISPLAY WAYLAND_DISPLAY

rm -rf "$scratch"
mkdir -p "$scratch"
trap 'rm -rf "$scratch"' EXIT
"$wine_run" reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ /d user32.MessageBoxW /f \
  >/dev/null 2>&1

status=0
fail() {
  echo "FAIL $1"
  status=1
}

# run CASE INSTALL-FOLDER BESIDE EXPECTED-CODE EXPECTED-BOXES
#   BESIDE: none, damaged, other-bitness or genuine (what lies beside the program as
#   lumapack.dll)
run() {
  local name=$1 install=$2 beside=$3 expected_code=$4 expected_boxes=$5
  local work="$scratch/work"
  rm -rf "$work" "$scratch/install"
  mkdir -p "$install" "$work"
  cp "$program" "$install/quendra3.exe"
  case $beside in
    damaged) printf 'MZ, but not a library\r\n' >"$install/lumapack.dll" ;;
    other-bitness) cp "$other_bitness" "$install/lumapack.dll" ;;
    genuine) cp "$fixtures/standin-start1.dll" "$install/lumapack.dll" ;;
  esac
  cp "$fixtures/standin-start1-stop.dll" "$work/lumapack.dll"
  local code=0
  (cd "$work" && WINEDEBUG=-all,+relay "$wine_run" "$install/quendra3.exe" -sign) \
    >/dev/null 2>"$scratch/relay.txt" || code=$?
  local boxes
  boxes=$(grep -a -c 'Call user32\.MessageBoxW(' "$scratch/relay.txt" || true)
  [ "$code" -eq "$expected_code" ] || fail "$name: exit code $code, expected $expected_code"
  [ "$boxes" -eq "$expected_boxes" ] || fail "$name: $boxes calls of MessageBoxW, expected $expected_boxes"
  if [ "$expected_boxes" -eq 1 ] &&
     ! grep -a -q 'Call user32.MessageBoxW(0*,[0-9a-f]* L"lumapack.dll not found.",[0-9a-f]* L"quendra3.exe",0*10)' \
       "$scratch/relay.txt"; then
    fail "$name: not the missing-library box"
  fi
  if [ -e "$work/received.txt" ]; then
    fail "$name: the planted library was loaded: $(tr -d '\0' <"$work/received.txt" | tr '\n' ' ')"
  fi
  if [ "$beside" = genuine ] && ! tr -d '\0' <"$install/received.txt" 2>/dev/null | grep -q '^start 2$'; then
    fail "$name: the library beside the program did not run"
  fi
}

run "nothing beside" "$scratch/install" none 1 1
run "damaged beside" "$scratch/install" damaged 1 1
run "other bitness beside" "$scratch/install" other-bitness 1 1
run "genuine beside" "$scratch/install" genuine 0 0
long="$scratch/install"
for part in 1 2 3 4 5 6; do long="$long/folder-of-a-deep-installation-$part-abcdefghijklmnopqrstuvwxyz"; done
[ "${#long}" -gt 300 ] || fail "the long install folder is only ${#long} characters"
run "genuine beside, long path" "$long" genuine 0 0

[ "$status" -eq 0 ] && echo "library search: only the library beside the program is ever loaded"
exit "$status"
