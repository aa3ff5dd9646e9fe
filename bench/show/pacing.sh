#!/usr/bin/env bash
# Frame pacing of the full-screen show, measured in the real program under
# Wine on a private Xvfb at 1920x1080 and 3840x2160: Vorn.scr /S shows
# screen-sized and large photos with styles of every family while the
# frame trace (VORN_FRAME_TRACE) records when each frame is composed and
# when it reaches the window. Prints per family: frames per transition, the
# duration from the first frame to the last one on the screen against the
# nominal (frames - 1) x Delay, and the worst lateness of a frame against
# the nominal time of its step. Goal: 10 frames, duration within 10 %.
# Needs the Windows build with the demo collection beside Vorn.scr and the
# test driver (tools/test.sh or tools/demo.sh), and the native cnftool.
#   bash bench/show/pacing.sh [SIZES]   (default "1920x1080 3840x2160")
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/bench/show/wine_show.sh"
work="$root/build/bench-pacing"
need "$app/Vorn/vorn3.jpg" "$driver" "$cnftool"

# Photos: the demo's JPEG and BMP enlarged to screen size and to a large
# camera size (24 MP).
rm -rf "$work" && mkdir -p "$work/show/Vorn"
cp "$app/Vorn.scr" "$work/show/"
convert "$app/Vorn/vorn3.jpg" -resize '1920x1080!' -quality 90 "$work/show/Vorn/fhd.jpg"
convert "$app/Vorn/vorn8.bmp" -resize '3840x2160!' -quality 90 "$work/show/Vorn/uhd.jpg"
convert "$app/Vorn/vorn7.jpg" -resize '6000x4000!' -quality 90 "$work/show/Vorn/large.jpg"
# Two styles of each family (style k is EffectNum k + 1): appear 0,
# rectangles 5 and 40, masked 70 and 100, pixel effects 118 and 121.
items=()
for style in 0 5 40 70 100 118 121; do
  for photo in fhd.jpg uhd.jpg large.jpg; do
    items+=(-i "EffectNum=$((style + 1))" "$photo")
  done
done
(cd "$work/show/Vorn" && "$cnftool" create ../Vorn.CNF -h UseCommonOptions=0 \
  -i ChgInt=1 -i ShowMode=1 "${items[@]}") >/dev/null

for size in ${1:-1920x1080 3840x2160}; do
  rm -f "$work/trace.txt"
  cat >"$work/run.txt" <<SCRIPT
start "Z:$work/show/Vorn.scr" /S
wait-window --pid started --class TForm1 --timeout 30000
sleep 45000
key Escape
wait-exit --timeout 10000
SCRIPT
  VORN_SCREEN="${size}x24" VORN_FRAME_TRACE="Z:$work/trace.txt" bash "$root/tools/with-xvfb.sh" \
    bash "$root/tools/wine-run.sh" "$driver" --timeout 120000 -f "$work/run.txt" >"$work/run-$size.log" 2>&1 || true
  [ -s "$work/trace.txt" ] || { tr -d '\r' <"$work/run-$size.log"; echo "no frame trace at $size"; exit 1; }
  cp "$work/trace.txt" "$work/trace-$size.txt"
  echo "== $size"
  python3 - "$work/trace.txt" <<'PY'
import sys
runs, run = [], None
for line in open(sys.argv[1]):
    w = line.split()
    t = int(w[0]) / 1000.0
    if w[1] == 'compose':
        style, family, progress, step, delay = int(w[2]), w[3], int(w[4]), int(w[5]), int(w[6])
        if run is None or progress <= run['last'] or style != run['style']:
            run = {'style': style, 'family': family, 'step': step, 'delay': delay, 'frames': [], 'last': -1}
            runs.append(run)
        run['last'] = progress
        run['frames'].append([progress, t, None])
    elif run is not None:
        for f in run['frames']:
            if f[2] is None: f[2] = t  # one paint shows every frame composed since the last
stats = {}
for r in runs:
    shown = [f for f in r['frames'] if f[0] > 0 and f[2] is not None]
    if not shown or r['frames'][-1][0] != 100: continue  # cut off by the end of the run
    # Frames that reached the screen on their own paint (not merged into a later one).
    frames = len({f[2] for f in shown})
    start = shown[0][1]
    duration = shown[-1][2] - start
    nominal = (len(shown) - 1) * r['delay']
    late = max(f[2] - (start + i * r['delay']) for i, f in enumerate(shown))
    s = stats.setdefault(r['family'], [])
    s.append((frames, duration, nominal, late))
print('%-10s %5s %8s %14s %14s %10s' % ('family', 'runs', 'frames', 'duration ms', 'nominal ms', 'worst late'))
for fam in ('appear', 'rectangle', 'masked', 'pixel'):
    s = stats.get(fam)
    if not s: continue
    fr = [x[0] for x in s]; du = [x[1] for x in s]; no = [x[2] for x in s]
    print('%-10s %5d %3d-%-4d %6.0f-%-7.0f %14.0f %8.0f ms' % (
        fam, len(s), min(fr), max(fr), min(du), max(du), max(no), max(x[3] for x in s)))
PY
done
