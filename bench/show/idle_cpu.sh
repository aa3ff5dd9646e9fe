#!/usr/bin/env bash
# Idle processor time of the full-screen show while a picture stands, and the
# time from start to the first frame on the screen, measured under Wine on a
# private Xvfb. Needs the Windows build with the demo collection beside
# Vorn.scr (tools/demo.sh or tools/test.sh make it) and the native cnftool.
#   bash bench/show/idle_cpu.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/bench/show/wine_show.sh"
work="$root/build/bench-show"
need "$app/Vorn.CNF" "$cnftool"
rm -rf "$work" && mkdir -p "$work"
cp -r "$app/Vorn.scr" "$app/Vorn.CNF" "$app/Vorn" "$work/"
# One long interval for every item: the first picture stands for a minute.
"$cnftool" set "$work/Vorn.CNF" UseCommonOptions=1 ChgIntMode=0 ChgInt=60 EffectNum=1 >/dev/null
bash "$root/tools/with-xvfb.sh" bash -c '
  work="$1" root="$2"
  hz=$(getconf CLK_TCK)
  t0=$(date +%s%N)
  bash "$root/tools/wine-run.sh" "$work/Vorn.scr" /S >/dev/null 2>&1 &
  # Start to first frame: the screen is no longer all black.
  first=""
  for i in $(seq 400); do
    import -window root -resize 64x48 "$work/probe.png" 2>/dev/null || true
    if [ -f "$work/probe.png" ] && [ "$(convert "$work/probe.png" -format "%[fx:maxima.r+maxima.g+maxima.b>0.1]" info: 2>/dev/null)" = 1 ]; then
      first=$(( ($(date +%s%N) - t0) / 1000000 )); break
    fi
    sleep 0.05
  done
  echo "start to first frame (Wine start-up included): ${first:-not seen} ms"
  # The Windows process itself (not the shell that started it).
  pid=$(pgrep -n -x Vorn.scr || pgrep -n -f "^[A-Z]:.*Vorn.scr" || true)
  [ -n "$pid" ] || { echo "the show process was not found"; exit 1; }
  sleep 2
  ticks() { awk "{print \$14 + \$15}" /proc/$pid/stat; }
  echo "process $pid ($(cat /proc/$pid/comm)), $(ticks) ticks used so far"
  a=$(ticks); s0=$(date +%s%N)
  sleep 10
  b=$(ticks); s1=$(date +%s%N)
  wall=$(( (s1 - s0) / 1000000 ))
  cpu=$(( (b - a) * 1000 / hz ))
  echo "idle while a picture stands: ${cpu} ms of processor time in ${wall} ms = $(awk -v c=$cpu -v w=$wall "BEGIN{printf \"%.2f\", 100*c/w}") % of one core (target <= 1 %)"
  kill $pid 2>/dev/null || true
' _ "$work" "$root"
