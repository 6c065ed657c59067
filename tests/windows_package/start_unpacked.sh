#!/usr/bin/env bash
# start_unpacked.sh ZIP SCRATCH WINE64 CMAKE OBJDUMP
# Unpacks ZIP into SCRATCH/unpacked and checks what a user gets: one folder
# Vantrel with the program, docs, input and the text for the user; a 64-bit
# GUI program that needs no DLL but Windows' own. Then starts it there under
# Wine, in a Wine prefix of its own, waits for its window and the first lines
# of its Log.txt, and closes it as Windows closes a program (WM_CLOSE to its
# window, as taskkill without /F sends), expecting a clean end.
set -euo pipefail
source "$(dirname "$0")/../support/own_wine_prefix.sh"
zip=$1 scratch=$2 wine=$3 cmake=$4 objdump=$5

fail() { echo "FAIL: $*" >&2; exit 1; }
[ -n "${DISPLAY:-}" ] || fail "the test needs an X display (run it under xvfb-run)"

rm -rf "$scratch"
mkdir -p "$scratch/unpacked"
(cd "$scratch/unpacked" && "$cmake" -E tar xf "$zip")
folder=$scratch/unpacked/Vantrel

[ "$(ls "$scratch/unpacked")" = Vantrel ] || fail "the zip does not hold just the folder Vantrel"
for entry in vantrel.exe "Read me.txt" docs/run-control.md input/dbase.enc input/AIG-regcodes.enc \
             input/airports_msfs.xml input/airports_msfs_names.xml; do
  [ -s "$folder/$entry" ] || fail "the package lacks $entry"
done

headers=$("$objdump" -p "$folder/vantrel.exe")
grep -q "^Magic.*20b" <<<"$headers" || fail "vantrel.exe is not a 64-bit (PE32+) program"
grep -q "^Subsystem.*(Windows GUI)" <<<"$headers" || fail "vantrel.exe is not a GUI program"
# Windows' own DLLs only: no compiler runtime, no zlib1.dll beside it.
dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
for dll in $dlls; do
  case $dll in
    kernel32.dll|user32.dll|gdi32.dll|advapi32.dll|shell32.dll|ole32.dll|ws2_32.dll|winmm.dll| \
    crypt32.dll|bcrypt.dll|msvcrt.dll|comctl32.dll|comdlg32.dll|shlwapi.dll|api-ms-win-*) ;;
    *) fail "vantrel.exe needs $dll, which Windows does not have" ;;
  esac
done

use_wine_prefix "$scratch/wineprefix"

vantrel=""
end_all() {
  if [ -n "$vantrel" ] && kill -0 "$vantrel" 2>/dev/null; then
    kill "$vantrel" 2>/dev/null || true
  fi
  "$wineserver" -k 2>/dev/null || true
}
trap end_all EXIT

"${run_wine[@]}" wineboot -i > "$scratch/wineboot.out" 2>&1 || fail "wineboot failed: $(cat "$scratch/wineboot.out")"
(cd "$folder" && exec "${run_wine[@]}" vantrel.exe) > "$scratch/vantrel.out" 2>&1 &
vantrel=$!

window_shows() { xwininfo -root -tree 2>/dev/null | grep -q '"Vantrel'; }
log_started() { grep -q "Vantrel version" "$folder/Log.txt" 2>/dev/null; }
for _ in $(seq 1200); do
  window_shows && log_started && break
  kill -0 "$vantrel" 2>/dev/null || fail "vantrel.exe ended at start: $(cat "$scratch/vantrel.out")"
  sleep 0.1
done
window_shows || fail "vantrel.exe showed no window within 120 s"
log_started || fail "Log.txt got no first line within 120 s"

"${run_wine[@]}" taskkill /IM vantrel.exe > "$scratch/taskkill.out" 2>&1 || fail "taskkill: $(cat "$scratch/taskkill.out")"
for _ in $(seq 600); do
  kill -0 "$vantrel" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$vantrel" 2>/dev/null && fail "vantrel.exe did not close within 60 s of WM_CLOSE"
status=0
wait "$vantrel" || status=$?
vantrel=""
[ "$status" -eq 0 ] || fail "vantrel.exe ended with status $status: $(cat "$scratch/vantrel.out")"
echo "vantrel.exe started from the unpacked package, showed its window, logged and closed"
head -n 3 "$folder/Log.txt"
