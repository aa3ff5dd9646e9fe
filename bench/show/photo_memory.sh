#!/usr/bin/env bash
# Peak memory of the real show over camera photos: Vorn.scr /S under Wine on
# a private X screen of 1920x1080 and 3840x2160 shows four copies of one
# photo (24, 48 and 100 MP JPEGs, and a screen-sized one as the floor) with a
# rectangle style, one slide a second, while the peak resident memory of
# its process (VmHWM) is read. Also counts the transitions that ran to their
# end (the frame trace, VORN_FRAME_TRACE): a step that failed would skip
# its photo. Goal: 24 MP at 1080p within 120 MB.
# Needs the Windows build and test driver (tools/test.sh) and the native
# cnftool.   bash bench/show/photo_memory.sh [SIZES] [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/bench/show/wine_show.sh"
work="$root/build/bench-photo-memory"
need "$app/Vorn.scr" "$driver" "$cnftool"
source "$root/bench/show/photo_files.sh"
seconds="${2:-20}"
echo "Vorn.scr of the $preset build; $seconds s a run, four slides of one photo a round"
printf '%-26s %-10s %8s %12s\n' photo screen 'peak MB' transitions

run() {  # photo screen
  local photo="$1" size="$2" peak=0 pid="" kb
  rm -rf "$work" && mkdir -p "$work/show/Vorn"
  cp "$app/Vorn.scr" "$work/show/"
  for n in a b c d; do cp "$photo" "$work/show/Vorn/$n.jpg"; done
  (cd "$work/show/Vorn" && "$cnftool" create ../Vorn.CNF -h UseCommonOptions=0 \
    -i ChgInt=1 -i ShowMode=1 -i EffectNum=6 a.jpg b.jpg c.jpg d.jpg) >/dev/null
  cat >"$work/run.txt" <<SCRIPT
start "Z:$work/show/Vorn.scr" /S
wait-window --pid started --class TForm1 --timeout 30000
sleep $((seconds * 1000))
key Escape
wait-exit --timeout 20000
SCRIPT
  VORN_SCREEN="${size}x24" VORN_FRAME_TRACE="Z:$work/trace.txt" bash "$root/tools/with-xvfb.sh" \
    bash "$root/tools/wine-run.sh" "$driver" --timeout $(((seconds + 60) * 1000)) -f "$work/run.txt" \
    >"$work/run.log" 2>&1 &
  local runner=$!
  while kill -0 "$runner" 2>/dev/null; do
    [ -n "$pid" ] && [ -d "/proc/$pid" ] || pid=$(pgrep -f 'show.Vorn\.scr' | head -n 1 || true)
    if [ -n "$pid" ]; then
      kb=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)
      [ -n "$kb" ] && [ "$kb" -gt "$peak" ] && peak=$kb
    fi
    sleep 0.2
  done
  wait "$runner" || { tr -d '\r' <"$work/run.log"; echo "the show did not run to its end"; }
  local done_=0
  [ -f "$work/trace.txt" ] && done_=$(awk '$2 == "compose" && $5 == 100' "$work/trace.txt" | wc -l)
  printf '%-26s %-10s %8d %12d\n' "$(basename "$photo") $(identify -format '%wx%h' "$photo")" "$size" \
    $((peak / 1024)) "$done_"
}

for size in ${1:-1920x1080 3840x2160}; do
  convert "$(photo_path Elephants_5640x3172.jpg)" -resize "${size}!" -quality 92 "$photos/screen-$size.jpg"
  run "$photos/screen-$size.jpg" "$size"
  for mp in 24 48 100; do run "$(large_photo $mp)" "$size"; done
done
