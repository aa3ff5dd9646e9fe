#!/usr/bin/env bash
# End to end under Wine: "Vorn.scr /DEFAULTSS=THIS" in the scratch prefix.
#   registration_test.sh VORN_SCR VORN_DRIVER WORK_DIR
# Checks the success box (caption and text exactly), the OK button, exit
# code 0 and the registry values; the short alias written for a long file
# name; success from a folder whose name Windows-1250 cannot spell; and the
# failure box when the registry refuses the write.
#
# How the write is made to fail: the test gives "HKCU\Control Panel\Desktop"
# an access list that refuses setting values to everyone, as a locked-down
# account would have it, so opening the key for writing fails inside
# Vorn.scr itself; no test hook is built into the program. The access list
# is put back (full access) at the end, whatever happened.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/wine/common.sh" "$@"
desk='"Control Panel\\Desktop"'

rm -rf "$work" && mkdir -p "$work"
long="$work/Vorn Multimedia Saver.scr"
cp "$scr" "$long"

restore() { run_driver --quiet -c "reg-allow-write HKCU $desk" >/dev/null 2>&1 || true; }
trap restore EXIT

echo "== success box, exit code and registry values"
cat >"$work/success.txt" <<SCRIPT
reg-delete HKCU $desk SCRNSAVE.EXE
reg-delete HKCU $desk ScreenSaveActive
start "$scr" /DEFAULTSS=THIS
wait-window --pid started --class "#32770" --timeout 20000
expect-title "Vorn - Információ"
expect-text "Most a(z) Vorn képernyővédő az alapértelmezett."
press OK
expect-exit 0
reg-expect HKCU $desk SCRNSAVE.EXE Vorn.scr
reg-expect HKCU $desk ScreenSaveActive 1
SCRIPT
run_driver -f "$work/success.txt"

echo "== long file name, switch in other case inside a longer argument, second argument ignored"
cat >"$work/long.txt" <<SCRIPT
reg-delete HKCU $desk SCRNSAVE.EXE
start "$long" x/defaultSS=thisY /s
wait-window --pid started --class "#32770" --timeout 20000
expect-title "Vorn Multimedia Saver - Információ"
expect-text "Most a(z) Vorn Multimedia Saver képernyővédő az alapértelmezett."
press OK
expect-exit 0
reg-print HKCU $desk SCRNSAVE.EXE
SCRIPT
alias=$(run_driver -f "$work/long.txt" | tr -d '\r' | sed -n 's/^value //p')
echo "alias written: $alias"
# The system's alias: a base of a full eight characters with a tilde, and
# the extension; never the long name.
if ! [[ "$alias" =~ ^[^.]{8}\.SCR$ && "$alias" == *"~"* ]]; then
  echo "FAIL: expected an 8.3 alias for the long name, got '$alias'" >&2
  exit 1
fi

echo "== a folder named outside Windows-1250 (a Cyrillic user name)"
cyr="$work/Пользователь"
mkdir -p "$cyr" && cp "$scr" "$cyr/Vorn.scr"
cat >"$work/cyrillic.txt" <<SCRIPT
reg-delete HKCU $desk SCRNSAVE.EXE
start "$cyr/Vorn.scr" /DEFAULTSS=THIS
wait-window --pid started --class "#32770" --timeout 20000
expect-title "Vorn - Információ"
press OK
expect-exit 0
reg-expect HKCU $desk SCRNSAVE.EXE Vorn.scr
SCRIPT
run_driver -f "$work/cyrillic.txt"

echo "== failure box when the registry refuses the write"
cat >"$work/failure.txt" <<SCRIPT
reg-delete HKCU $desk SCRNSAVE.EXE
reg-delete HKCU $desk ScreenSaveActive
reg-deny-write HKCU $desk
start "$scr" /DEFAULTSS=THIS
wait-window --pid started --class "#32770" --timeout 20000
expect-title "Vorn - Hiba"
expect-text "A képernyővédő nem tudja magát alapértelmezetté tenni. \r\rEzt Önnek kell megtennie a telepítés után, a következő módon:\rA Vezérlőpulton válassza a Képernyő ikont, klikkeljen rá, itt Kattintson a Képernyővédő fülre,\rmajd jelölje ki a lenyíló listáról a következő elemet:\r\rVorn"
capture-window "$work/failure-box.bmp"
press OK
expect-exit 0
reg-allow-write HKCU $desk
reg-expect-missing HKCU $desk SCRNSAVE.EXE
reg-expect-missing HKCU $desk ScreenSaveActive
SCRIPT
run_driver -f "$work/failure.txt"
echo "registration: all checks passed"
