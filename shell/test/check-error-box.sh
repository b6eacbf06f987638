#!/usr/bin/env bash
# Runs the handler without an installation record under Wine's relay trace of
# MessageBoxW and checks the box it shows: text, caption and the error icon.
set -euo pipefail
wine_run=$1
test_exe=$2
trace=$(mktemp)
debug_key='HKCU\Software\Wine\Debug'
cleanup() {
  "$wine_run" reg delete "$debug_key" /v RelayInclude /f >/dev/null 2>&1 || true
  rm -f "$trace"
}
trap cleanup EXIT
"$wine_run" reg add "$debug_key" /v RelayInclude /t REG_SZ /d user32.MessageBoxW /f >/dev/null
WINEDEBUG=-all,+relay "$wine_run" "$test_exe" \
  --gtest_filter=InvokeCommandTest.MissingInstallationRecordIsRefused >/dev/null 2>"$trace"
expected='Call user32.MessageBoxW(00000000,[0-9a-f]* L"Failed to read registry value:\\r\\nHKLM\\\\SOFTWARE\\\\quendra3\\\\Installed",[0-9a-f]* L"Error reading registry",00000010)'
count=$(grep -ac 'Call user32.MessageBoxW' "$trace" || true)
if [ "$count" != 1 ] || ! grep -aq "$expected" "$trace"; then
  echo "expected one registry error box, saw:"
  grep -a 'Call user32.MessageBoxW' "$trace" || echo "(no message box)"
  exit 1
fi
echo "registry error box shown once with its text, caption and error icon"
