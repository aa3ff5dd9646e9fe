#!/usr/bin/env bash
# End to end under Wine: the full-screen show on the demo collection.
#   show_test.sh VORN_SCR VORN_DRIVER WORK_DIR
# Two screenshots some seconds apart differ and each shows one of the demo
# pictures (compared with the picture files themselves); a key ends the
# process within a second with exit code 0. A damaged media file gives the
# "HIBA" box, a missing collection the "Megnyitási hiba" box; both end.
set -euo pipefail
scr="$1" driver="$2" work="$3"
root="$(cd "$(dirname "$0")/../.." && pwd)"
demo="$(dirname "$scr")"
run_driver() { bash "$root/tools/wine-run.sh" "$driver" --timeout 60000 "$@"; }
if [ ! -f "$demo/Vorn.CNF" ]; then
  echo "no demo collection beside Vorn.scr (configure with VORN_DEMOGEN); skipped"
  exit 0
fi

fresh() {  # a copy of the installed layout in $work/$1
  rm -rf "$work/$1" && mkdir -p "$work/$1"
  cp "$scr" "$work/$1/Vorn.scr"
  cp "$demo/Vorn.CNF" "$work/$1/"
  cp -r "$demo/Vorn" "$work/$1/"
}
winpath() { echo "Z:$1"; }  # Wine takes "/" as well

echo "== the show: two moments, demo pictures, key ends it"
fresh show
# Without a window manager (Xvfb) Wine places its windows itself only when
# they are not "managed"; then the maximised show covers the X screen too.
cat >"$work/show.txt" <<SCRIPT
reg-set HKCU "Software\\Wine\\X11 Driver" Managed N
start "$(winpath "$work/show/Vorn.scr")" /S
wait-window --pid started --class TForm1 --timeout 20000
sleep 2500
capture-screen "$(winpath "$work/a.bmp")"
sleep 4000
capture-screen "$(winpath "$work/b.bmp")"
sleep 1700
capture-screen "$(winpath "$work/c.bmp")"
key Escape
expect-exit 0 --timeout 3000
SCRIPT
run_driver -f "$work/show.txt"

# What one demo picture looks like on the 1024 x 768 screen, shown whole and
# scaled (proportions kept) or at its own size, centred, on black. Without a
# window manager Xvfb shows only the window's designed 640 x 480 top-left
# part (Wine's own rectangle is the whole screen); the shot is then compared
# with that part.
best_match() {
  local shot="$1" best=9 geom="1024x768+0+0"
  convert "$shot" -fuzz 2% -trim +repage "$work/trim.png"
  local size; size="$(identify -format '%wx%h' "$work/trim.png")"
  if [ "$size" = "640x480" ]; then geom="640x480+0+0"; else cp "$shot" "$work/trim.png"; fi
  for pic in "$work"/show/Vorn/*.bmp "$work"/show/Vorn/*.jpg "$work"/show/Vorn/*.gif; do
    for fit in "-resize 1024x768" ""; do
      convert "$pic[0]" $fit -background black -gravity center -extent 1024x768 \
        -gravity northwest -crop "$geom" +repage "$work/ref.png"
      local e; e="$(compare -metric RMSE "$work/trim.png" "$work/ref.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')"
      best="$(echo "$e $best" | awk '{print ($1 < $2) ? $1 : $2}')"
    done
  done
  echo "$best"
}
matched=0
for s in a b c; do
  m="$(best_match "$work/$s.bmp")"
  echo "shot $s: closest demo picture at RMSE $m"
  # A shot may catch a transition half-way or a caption; one must show a whole picture.
  awk -v m="$m" 'BEGIN { exit !(m < 0.12) }' && matched=$((matched + 1))
done
[ "$matched" -ge 1 ] || { echo "the shots show no demo pictures"; exit 1; }
diff_px="$(compare -metric AE -fuzz 5% "$work/a.bmp" "$work/b.bmp" null: 2>&1 || true)"
echo "pixels that differ between the shots: $diff_px"
[ "${diff_px%%.*}" -gt 10000 ] || { echo "the two moments look the same"; exit 1; }

echo "== a damaged media file: HIBA"
fresh damaged
printf 'XXXX' | dd of="$work/damaged/Vorn/vorn1.bmp" bs=1 seek=100 conv=notrunc status=none
cat >"$work/damaged.txt" <<SCRIPT
start "$(winpath "$work/damaged/Vorn.scr")" /S
wait-window --pid started --class "#32770" --timeout 20000
expect-title "HIBA"
press OK
expect-exit 0 --timeout 5000
SCRIPT
run_driver -f "$work/damaged.txt"

echo "== a missing collection: Megnyitási hiba"
fresh missing
rm "$work/missing/Vorn.CNF"
cat >"$work/missing.txt" <<SCRIPT
start "$(winpath "$work/missing/Vorn.scr")" /S
wait-window --pid started --class "#32770" --timeout 20000
expect-title "Megnyitási hiba"
press OK
expect-exit 0 --timeout 5000
SCRIPT
run_driver -f "$work/missing.txt"
echo "show end to end: ok"
