#!/usr/bin/env bash
# Soak under Wine: the full-screen show on the demo collection set to a new
# picture every second (random styles) for a while, the driver sampling the
# process's memory, GDI and USER objects and windows every few seconds.
#   soak_test.sh VORN_SCR VORN_DRIVER WORK_DIR [SECONDS]
# SECONDS defaults to VORN_SOAK_SECONDS or 60 (the test suite's run; every 5 s,
# judged from 20 s on). 300 and more is the long run: every 10 s, judged
# from the first minute on. No level may grow after that, the show must not
# end by itself, and a key must still end it with exit code 0.
set -euo pipefail
secs="${4:-${VORN_SOAK_SECONDS:-60}}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/wine/common.sh" "$@"
if [ ! -f "$demo/Vorn.CNF" ]; then
  echo "no demo collection beside Vorn.scr (configure with VORN_DEMOGEN); skipped"
  exit 0
fi
if [ "$secs" -ge 300 ]; then every=10000 settle=60000; else every=5000 settle=20000; fi

fresh soak

# Every item the common one-second interval and a random style. The
# Windows cnftool sits beside Vorn.scr's build folder; the native one does
# the same when the native tree is there.
cnf="$work/soak/Vorn.CNF"
settings=(UseCommonOptions=1 ChgIntMode=0 ChgInt=1 EffectNum=0)
native_cnftool="$cnftool"
win_cnftool="$(cd "$demo/../.." && pwd)/tools/cnftool/cnftool.exe"
if [ -x "$native_cnftool" ]; then
  "$native_cnftool" set "$cnf" "${settings[@]}"
elif [ -f "$win_cnftool" ]; then
  bash "$root/tools/wine-run.sh" "$win_cnftool" set "Z:$cnf" "${settings[@]}"
else
  echo "no cnftool to set the intervals with"; exit 1
fi

echo "== the show for ${secs}s at one picture a second, sampled every $((every / 1000))s"
cat >"$work/soak.txt" <<SCRIPT
start "Z:$work/soak/Vorn.scr" /S
wait-window --pid started --class TForm1 --timeout 20000
watch-resources --every $every --for $((secs * 1000)) --settle $settle --window 3 --private-slack-kib 8192 --gdi-slack 8 --user-slack 4 --handle-slack 8 --window-slack 2
key Escape
expect-exit 0 --timeout 5000
SCRIPT
bash "$root/tools/wine-run.sh" "$driver" --timeout $((secs * 1000 + 90000)) -f "$work/soak.txt" | tee "$work/soak.log"
echo "soak under Wine: ok"
