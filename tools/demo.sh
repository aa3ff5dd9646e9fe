#!/usr/bin/env bash
# The main job: builds Vorn.scr and the demo collection beside it, then runs
# the full-screen show under Wine: on the real display when there is one,
# otherwise on a private Xvfb, saving screenshots to build/demo-shots/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
export VORN_DEPS_DIR="${VORN_DEPS_DIR:-$root/build/deps}"
bash tools/install-deps.sh
# Only what the show needs: the native demogen, which paints the demo
# collection (Vorn.CNF, Vorn\, Vorn\BckSnd\ beside Vorn.scr; a cross build
# cannot run it), then Vorn.scr and its collection; no test programs.
cmake --preset native >/dev/null
cmake --build --preset native --target demogen -j"$(nproc)"
preset=win32 arch=i686
if ! bash tools/runs-32bit.sh; then
  # Wine cannot run the 32-bit product on this kernel: show the same
  # sources built for 64 bits.
  preset=win64 arch=x86_64
fi
bash tools/build-libjpeg-mingw.sh $arch
cmake --preset $preset -DVORN_DEMOGEN="$root/build/native/tools/demogen/demogen" >/dev/null
cmake --build --preset $preset -j"$(nproc)" --target vorn_scr vorn_demo_collection
exe="$root/build/$preset/src/app/Vorn.scr"
export VORN_WINEPREFIX="$root/build/$preset/wineprefix"
if [ -n "${DISPLAY:-}" ]; then
  bash tools/wine-run.sh "$exe" /S
else
  shots="$root/build/demo-shots"
  mkdir -p "$shots"
  VORN_SCREEN=1024x768x24 bash tools/with-xvfb.sh bash -c '
    bash "$0/tools/wine-run.sh" "$1" /S & pid=$!
    # A fresh prefix takes a while to make: the shots begin with the show.
    for _ in $(seq 240); do
      xwininfo -root -tree 2>/dev/null | grep -q "Vorn K" && break
      sleep 0.5
    done
    for i in 1 2 3 4 5 6; do sleep 3; import -window root "$2/shot-$i.png" || true; done
    kill $pid 2>/dev/null || true' "$root" "$exe" "$shots"
  echo "screenshots in $shots"
fi
