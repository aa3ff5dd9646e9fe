#!/usr/bin/env bash
# End to end under Wine: the full-screen show on the demo collection.
#   show_test.sh VORN_SCR VORN_DRIVER WORK_DIR
# Two screenshots some seconds apart differ and each shows one of the demo
# pictures (compared with the picture files themselves); a key ends the
# process with exit code 0, and the time from the key to the end is printed;
# the system's saver-running flag and the hidden cursor last as long as the show.
# A damaged media file gives the
# "HIBA" box, a missing collection the "Megnyitási hiba" box; both end.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/wine/common.sh" "$@"
if [ ! -f "$demo/Vorn.CNF" ]; then
  echo "no demo collection beside Vorn.scr (configure with VORN_DEMOGEN); skipped"
  exit 0
fi

echo "== the show: two moments, demo pictures, key ends it"
# While the show runs the system knows a saver is running (Wine keeps the
# flag in this volatile key) and the cursor is hidden; both are undone at the end.
running_key='Software\\Wine\\Temporary System Parameters\\Control Panel\\Desktop'
fresh show
cat >"$work/show.txt" <<SCRIPT
start "$(winpath "$work/show/Vorn.scr")" /S
wait-window --pid started --class TForm1 --timeout 20000
sleep 2500
capture-screen "$(winpath "$work/a.bmp")"
reg-expect HKCU "$running_key" WINE_ScreenSaverRunning 1
expect-cursor hidden
sleep 4000
capture-screen "$(winpath "$work/b.bmp")"
sleep 1700
capture-screen "$(winpath "$work/c.bmp")"
key Escape
wait-exit --timeout 3000
reg-expect HKCU "$running_key" WINE_ScreenSaverRunning 0
expect-cursor shown
SCRIPT
rc=0
run_driver -f "$work/show.txt" >"$work/show.log" || rc=$?
tr -d '\r' <"$work/show.log"
[ "$rc" -eq 0 ] || { echo "the driver failed ($rc)"; exit 1; }
grep -q '^exit code 0' "$work/show.log" || { echo "the show did not end with exit code 0"; exit 1; }
key_ms="$(tr -d '\r' <"$work/show.log" | sed -n 's/^key to exit: \([0-9]*\) ms$/\1/p')"
# The driver times the key to the end of the process: at most a second.
echo "key to exit: $key_ms ms (target 1000 ms)"
[ -n "$key_ms" ] && [ "$key_ms" -le 1000 ] || { echo "the key did not end the show within a second"; exit 1; }

echo "== a damaged media file: HIBA"
fresh damaged
printf 'XXXX' | dd of="$work/damaged/Vorn/vorn1.bmp" bs=1 seek=100 conv=notrunc status=none
expect_error_box damaged "HIBA"

echo "== a missing collection: Megnyitási hiba"
fresh missing
rm "$work/missing/Vorn.CNF"
expect_error_box missing "Megnyitási hiba"
echo "== an item sound that is a video opens no window over the show"
if [ -x "$cnftool" ]; then
  fresh video
  python3 "$root/tests/wine/make_avi.py" "$work/video/Vorn/clip.avi" 200
  rm "$work/video/Vorn.CNF"
  "$cnftool" create "$work/video/Vorn.CNF" -i ChgInt=30 -i EffectNum=0 -i SoundPath=clip.avi \
    "$work/video/Vorn/vorn1.bmp" >/dev/null
  cat >"$work/video.txt" <<SCRIPT
start "$(winpath "$work/video/Vorn.scr")" /S
wait-window --pid started --class TForm1 --timeout 20000
sleep 3000
list-windows --pid started
key Escape
wait-exit --timeout 3000
SCRIPT
  run_driver -f "$work/video.txt" | tr -d '\r' >"$work/video.log" || { cat "$work/video.log"; exit 1; }
  others="$(grep '^window ' "$work/video.log" | grep -v 'TForm1' || true)"
  [ -z "$others" ] || { echo "a window beside the show: $others"; exit 1; }
else
  echo "(no native cnftool: skipped)"
fi

echo "show end to end: ok"
