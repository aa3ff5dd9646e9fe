#!/usr/bin/env bash
# The test command: installs what is missing, builds the native and the
# Windows trees, and runs every test: the native unit tests, once plainly and
# once under the sanitizers, the threaded ones under the thread sanitizer,
# the fuzz smoke, then the Windows tests under Wine on a private Xvfb. Safe
# to run again.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
export VORN_DEPS_DIR="${VORN_DEPS_DIR:-$root/build/deps}"
jobs="$(nproc)"

bash tools/install-deps.sh
bash tools/build-libjpeg-mingw.sh

echo "== native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs"
ctest --preset native -j"$jobs"

# The same tests (and the one-hour show soak) with AddressSanitizer and
# UndefinedBehaviorSanitizer; any report fails its test. No benchmarks here.
echo "== native tests under ASan and UBSan"
cmake --preset native-asan >/dev/null
cmake --build --preset native-asan -j"$jobs"
ctest --preset native-asan -j"$jobs"

# The tests that start threads (scheduler thread, decode ahead, the player's
# worker, the soak) under ThreadSanitizer: only their programs are built.
echo "== threaded tests under TSan"
cmake --preset native-tsan >/dev/null
cmake --build --preset native-tsan -j"$jobs"
ctest --preset native-tsan -j"$jobs"

# --- picture fuzz smoke (codecs): each target ~20 s under ASan/UBSan, then
# the seed corpus and tests/data/malformed replayed; a crash fails the run.
echo "== picture fuzz smoke"
VORN_JOBS="$jobs" bash tools/fuzz.sh "${VORN_FUZZ_SECONDS:-20}"
for t in bmp ico gif jpeg picture exif; do
  build/native/tools/fuzz/vorn_fuzz_$t build/fuzz/seeds/$t tests/data/malformed/$t
done
for t in collection cnftool_dump; do
  build/native/tools/fuzz/vorn_fuzz_$t tests/data/fuzz/collection tests/data/malformed/collection
done
# --- end picture fuzz smoke

echo "== Windows build"
# The demo collection beside Vorn.scr is painted by the native demogen (a
# cross build cannot run its own programs); the native build above made it.
demogen="$root/build/native/tools/demogen/demogen"
cmake --preset win32 -DVORN_DEMOGEN="$demogen" >/dev/null
wine_preset=win32
if bash tools/runs-32bit.sh; then
  cmake --build --preset win32 -j"$jobs"
else
  # This kernel cannot run 32-bit programs, so neither can Wine: build the
  # product as usual and run the Windows tests on a 64-bit build of the
  # same sources.
  echo "== no 32-bit programs on this kernel: Windows tests run on the 64-bit build"
  cmake --build --preset win32 -j"$jobs" --target vorn_scr
  bash tools/build-libjpeg-mingw.sh x86_64
  cmake --preset win64 -DVORN_DEMOGEN="$demogen" >/dev/null
  cmake --build --preset win64 -j"$jobs"
  wine_preset=win64
fi

echo "== Windows tests under Wine ($wine_preset)"
export VORN_WINEPREFIX="$root/build/$wine_preset/wineprefix"
bash tools/with-xvfb.sh ctest --preset "$wine_preset"
