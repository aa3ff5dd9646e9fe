#!/usr/bin/env bash
# End to end under Wine: the configuration box on the demo collection.
#   config_test.sh VORN_SCR VORN_DRIVER WORK_DIR
# "/c" lists one row per item; selecting a row fills the preview labels; the
# display time, the style, the colour and the background music saved with
# "OK" change exactly those header fields (and the save time), every other
# byte stays; "Mégsem" after the same changes leaves the file as it was;
# Enter saves a typed value clamped, without the focus leaving it. At
# 150 % (LogPixels 144) the box is laid out at that DPI. The screenshots of
# the pages are left in WORK_DIR (page1..3.png, page2-150.png).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/wine/common.sh" "$@"
driver_flags=--quiet
need_native_tools "$cnftool"
need_demo Vorn.CNF
rm -rf "$work"
fresh box
cp "$work/box/Vorn.CNF" "$work/before.cnf"
W="Z:$work"

# Control ids (src/config/win32/panel2_ids.h).
PageControl1=1000 TabSheet1=1001 ListView1=1102 ChgIntSE=1203 ShwEffectNum=1216 BckColCB=1220
ALLBckSoundsFE=1226 TabSheet2=1002 RadioButton2=1206 ChgIntMINSE=1207 ChgIntMAXSE=1210
# The driver's lines that start the box on the copy in $work/box and let it
# settle.
open_box() {
  cat <<SCRIPT
start "$W/box/Vorn.scr" /c
wait-window --pid started --class TForm1 --timeout 20000
sleep 800
SCRIPT
}
# The settings to change: style row 115 ("113- Döntve vált kétoldalról",
# style 114), swatch 12 (pure blue, 0x00FF0000) and an accented file name
# that must arrive in Windows-1250.
changes() {
  cat <<SCRIPT
wait-window --pid started --class TForm1
expect-row --id $ShwEffectNum 0
expect-row --id $BckColCB 0
select-row --id $ShwEffectNum 115
select-row --id $BckColCB 12
set-text --id $ALLBckSoundsFE "C:\\\\Zene\\\\Nyári háttér.mid"
click-in --id $PageControl1 30 10
key Right
sleep 300
click-in --id $ChgIntSE 10 10
key End Back Back 4 2
SCRIPT
}

echo "== coupling rules; Mégsem changes nothing"
{
  open_box
  changes
  # The random mode enables its two spin edits; a lower bound of 20 lifts
  # the stored upper bound of 5 to 24.
  echo "expect-enabled --id $ChgIntSE 1"
  echo "expect-enabled --id $ChgIntMINSE 0"
  echo "set-check --id $RadioButton2 1"
  echo "expect-enabled --id $ChgIntSE 0"
  echo "expect-enabled --id $ChgIntMINSE 1"
  echo "expect-enabled --id $ChgIntMAXSE 1"
  echo "set-text --id $ChgIntMINSE 20"
  echo "select-child --id $TabSheet2"
  echo "expect-text --id $ChgIntMAXSE 24"
  echo "wait-window --pid started --class TForm1"
  echo "click-in --id 2 20 10"
  echo "expect-exit 0 --timeout 10000"
} >"$work/cancel.txt"
run_driver -f "$work/cancel.txt"
cmp "$work/before.cnf" "$work/box/Vorn.CNF"

echo "== rows, preview labels, OK saves the four settings"
{
  open_box
  # The first row, then two down: the third item (a JPEG with a sound).
  echo "click-in --id $ListView1 40 30"
  echo "key Down Down"
  echo "sleep 500"
  echo "wait-window --pid started --class TForm1"
  echo "select-child --id $TabSheet1"
  echo "expect-text --id 1106 \".JPG\""
  echo "expect-text --id 1108 \"1024*768\""
  echo "expect-text --id 1112 \"VAN\""
  echo "wait-window --pid started --class TForm1"
  echo "sleep 500"
  echo "capture-window \"$W/page1.bmp\""
  changes
  echo "wait-window --pid started --class TForm1"
  echo "sleep 1000"
  echo "capture-window \"$W/page2.bmp\""
  echo "click-in --id $PageControl1 30 10"
  echo "sleep 500"
  echo "key Right Right"
  echo "sleep 1000"
  echo "capture-window \"$W/page3.bmp\""
  echo "click-in --id 1 20 10"
  echo "expect-exit 0 --timeout 10000"
} >"$work/ok.txt"
run_driver -f "$work/ok.txt"
"$cnftool" dump --json "$work/before.cnf" >"$work/before.json"
"$cnftool" dump --json "$work/box/Vorn.CNF" >"$work/after.json"
python3 - "$work/before.cnf" "$work/box/Vorn.CNF" "$work/before.json" "$work/after.json" <<'PY'
import json, sys
a = open(sys.argv[1], 'rb').read()
b = open(sys.argv[2], 'rb').read()
ja = json.load(open(sys.argv[3], encoding='utf-8'))
jb = json.load(open(sys.argv[4], encoding='utf-8'))
# The dump: only these header fields differ, the items not at all.
assert ja['items'] == jb['items'], "the items changed"
diff = {k for k in ja['header'] if ja['header'][k] != jb['header'].get(k)}
assert diff == {'SavedAt', 'ChgInt', 'EffectNum', 'BckColor', 'AllBckSound'}, sorted(diff)
h = jb['header']
assert (h['ChgInt'], h['EffectNum'], h['BckColor']) == (42, 115, 0xFF0000), h
assert h['AllBckSound'] == 'C:\\Zene\\Nyári háttér.mid', h['AllBckSound']
# The bytes: equal outside those fields; the name stored in Windows-1250.
assert len(a) == len(b), (len(a), len(b))
fields = {'SavedAt': (48, 56), 'BckColor': (936, 940), 'ChgInt': (944, 948),
          'EffectNum': (960, 964), 'AllBckSound': (966, 1222)}
allowed = set()
for lo, hi in fields.values():
    allowed |= set(range(lo, hi))
bad = [i for i in range(len(a)) if a[i] != b[i] and i not in allowed]
assert not bad, "bytes changed outside the saved fields: %r" % bad[:20]
name = 'C:\\Zene\\Nyári háttér.mid'.encode('cp1250')
assert b[966] == len(name) and b[967:967 + len(name)] == name, b[966:967 + len(name)]
print("saved: ChgInt 42, EffectNum 115, BckColor 0x00FF0000, AllBckSound in Windows-1250; "
      "every other byte as before")
PY

echo "== Enter saves typed values clamped; an upper bound raised past 99 is 99"
cp "$work/before.cnf" "$work/box/Vorn.CNF"
"$cnftool" set "$work/box/Vorn.CNF" ChgIntMin=97 ChgIntMax=10
{
  open_box
  cat <<SCRIPT
click-in --id $PageControl1 30 10
key Right
sleep 300
select-child --id $TabSheet2
expect-text --id $ChgIntMAXSE 99
wait-window --pid started --class TForm1
click-in --id $ChgIntSE 10 10
key End Back Back 0 Enter
expect-exit 0 --timeout 10000
SCRIPT
} >"$work/enter.txt"
run_driver -f "$work/enter.txt"
"$cnftool" dump --json "$work/box/Vorn.CNF" | python3 -c '
import json, sys
h = json.load(sys.stdin)["header"]
got = (h["ChgInt"], h["ChgIntMin"], h["ChgIntMax"])
assert got == (1, 97, 99), "ChgInt, ChgIntMin, ChgIntMax after Enter: %r" % (got,)
print("saved by Enter: ChgInt 1 (typed 0), ChgIntMin 97, ChgIntMax 99")'

echo "== 150 %: the box at 144 DPI"
cp "$work/before.cnf" "$work/box/Vorn.CNF"
# The prefix is shared: the DPI goes back to the prefix's own afterwards.
restore_dpi() {
  run_driver -c 'reg-delete HKCU "Control Panel\\Desktop" LogPixels' >/dev/null 2>&1 || true
}
trap restore_dpi EXIT
{
  echo 'reg-set-dword HKCU "Control Panel\\Desktop" LogPixels 144'
  open_box
  cat <<SCRIPT
click-in --id $PageControl1 45 15
key Right
sleep 1000
capture-window "$W/page2-150.bmp"
select-child --id 1
wait-window --pid started --class TForm1
click-in --id 2 20 10
expect-exit 0 --timeout 10000
SCRIPT
} >"$work/dpi150.txt"
out="$(run_driver -f "$work/dpi150.txt")"
restore_dpi
trap - EXIT
echo "$out"
# The OK button is 82x26 at 96 DPI: 123x39 at 144.
echo "$out" | grep -Eq 'id=1 .*rect=(-?[0-9]+),(-?[0-9]+),' || { echo "no OK button"; exit 1; }
rect="$(echo "$out" | sed -nE 's/.* id=1 .*rect=(-?[0-9]+),(-?[0-9]+),(-?[0-9]+),(-?[0-9]+).*/\1 \2 \3 \4/p')"
read -r l t r b <<<"$rect"
[ $((r - l)) -eq 123 ] && [ $((b - t)) -eq 39 ] || { echo "OK button $((r - l))x$((b - t)) at 144 DPI"; exit 1; }
cmp "$work/before.cnf" "$work/box/Vorn.CNF"

for f in page1 page2 page3 page2-150; do
  if command -v convert >/dev/null; then convert "$work/$f.bmp" "$work/$f.png" && rm "$work/$f.bmp"; fi
done
echo "screenshots: $work/page{1,2,3}.png, page2-150.png"
