#!/usr/bin/env bash
# End to end under Wine: the configuration box on the demo collection.
#   config_test.sh VORN_SCR VORN_DRIVER WORK_DIR
# "/c" lists one row per item; selecting a row fills the preview labels; a
# changed display time saved with "OK" changes exactly that header field (and
# the save time), every other byte stays; "Mégsem" changes nothing.
set -euo pipefail
scr="$1" driver="$2" work="$3"
root="$(cd "$(dirname "$0")/../.." && pwd)"
demo="$(dirname "$scr")"
run_driver() { bash "$root/tools/wine-run.sh" "$driver" --timeout 60000 --quiet "$@"; }
if [ ! -f "$demo/Vorn.CNF" ]; then
  echo "no demo collection beside Vorn.scr (configure with VORN_DEMOGEN); skipped"
  exit 0
fi
rm -rf "$work" && mkdir -p "$work/box"
cp "$scr" "$work/box/Vorn.scr"
cp "$demo/Vorn.CNF" "$work/box/"
cp -r "$demo/Vorn" "$work/box/"
cp "$work/box/Vorn.CNF" "$work/before.cnf"

# The box is centred on the 1024x768 screen: the coordinates below are the
# list's third row, the settings tab, the display-time edit and the buttons.
echo "== Mégsem changes nothing"
cat >"$work/cancel.txt" <<SCRIPT
start "Z:$work/box/Vorn.scr" /c
wait-window --pid started --class TForm1 --timeout 20000
sleep 800
click 448 173
sleep 300
click 520 250
key 0x23 0x08 0x08 4 2
click 740 604
expect-exit 0 --timeout 10000
SCRIPT
run_driver -f "$work/cancel.txt"
cmp "$work/before.cnf" "$work/box/Vorn.CNF"

echo "== rows, preview labels, OK saves the display time"
cat >"$work/ok.txt" <<SCRIPT
start "Z:$work/box/Vorn.scr" /c
wait-window --pid started --class TForm1 --timeout 20000
sleep 800
click 288 285
sleep 500
wait-window --pid started --class TForm1
select-child --id 1001
expect-text --id 1106 ".JPG"
expect-text --id 1108 "1024*768"
expect-text --id 1112 "VAN"
click 448 173
sleep 300
click 520 250
key 0x23 0x08 0x08 4 2
click 652 604
expect-exit 0 --timeout 10000
SCRIPT
run_driver -f "$work/ok.txt"
python3 - "$work/before.cnf" "$work/box/Vorn.CNF" <<'PY'
import struct, sys
a = open(sys.argv[1], 'rb').read()
b = open(sys.argv[2], 'rb').read()
assert len(a) == len(b), (len(a), len(b))
changed = [i for i in range(len(a)) if a[i] != b[i]]
allowed = set(range(48, 56)) | set(range(944, 948))  # SavedAt, ChgInt
bad = [i for i in changed if i not in allowed]
assert not bad, "bytes changed outside the saved fields: %r" % bad[:20]
assert struct.unpack_from('<i', b, 944)[0] == 42, struct.unpack_from('<i', b, 944)
print("saved: ChgInt 42, %d bytes changed, all in ChgInt and SavedAt" % len(changed))
PY
