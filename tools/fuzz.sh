#!/usr/bin/env bash
# Runs every fuzz target (pictures, the collection reader, cnftool dump) for
# N seconds (default 30) with ASan and UBSan, then replays the seed corpus and
# the regression files.
#   bash tools/fuzz.sh [seconds] [extra libFuzzer options]
# A long run (>= 10^6 executions each): bash tools/fuzz.sh 1800
# Working corpora stay in build/fuzz/corpus/<target>; crashes land in
# build/fuzz/artifacts/ and make the script fail.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
secs="${1:-30}"
shift || true
jobs="${VORN_JOBS:-2}"
san="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g"

cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORN_FUZZ=ON -DVORN_TESTS=OFF \
  -DVORN_BENCH=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS="$san" -DCMAKE_CXX_FLAGS="$san" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
targets=(bmp ico gif jpeg picture exif collection cnftool_dump)
cmake --build build/fuzz -j"$jobs" --target "${targets[@]/#/vorn_fuzz_}"

# Seeds from the test generators (native unit-test build).
cmake --preset native >/dev/null
cmake --build build/native -j"$jobs" --target vorn_codecs_tests
rm -rf build/fuzz/seeds
VORN_FUZZ_SEEDS="$root/build/fuzz/seeds" build/native/tests/codecs/vorn_codecs_tests \
  --gtest_filter='FuzzSeeds.AreWrittenWhenAsked' --gtest_brief=1 >/dev/null

mkdir -p build/fuzz/artifacts
status=0
for t in "${targets[@]}"; do
  bin="build/fuzz/tools/fuzz/vorn_fuzz_$t"
  corpus="build/fuzz/corpus/$t"
  mkdir -p "$corpus"
  seedset="$t"
  [ "$t" = cnftool_dump ] && seedset=collection  # the dump reads collection files
  dirs=("$corpus")
  for d in "build/fuzz/seeds/$t" "tests/data/fuzz/$seedset" "tests/data/malformed/$seedset"; do
    [ -d "$d" ] && dirs+=("$d")
  done
  echo "== fuzz $t for ${secs}s"
  # A tiny file may legally declare a picture of a few hundred megapixels
  # (an RLE bitmap, say), which takes about ten seconds to decode under the
  # sanitizers; a unit counts as hung only well past that.
  if ! "$bin" -max_total_time="$secs" -timeout=60 -rss_limit_mb=2560 -malloc_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="build/fuzz/artifacts/$t-" "$@" "${dirs[@]}" \
      2> "build/fuzz/$t.log"; then
    echo "fuzz $t: FAILED (see build/fuzz/$t.log and build/fuzz/artifacts/)"
    status=1
  fi
  grep -E "stat::number_of_executed_units|stat::new_units_added" "build/fuzz/$t.log" | sed "s/^/  $t /" || true
  echo "== replay $t"
  "$bin" -runs=0 "${dirs[@]:1}" 2>&1 | grep -E "^(INFO: seed corpus|Done)" | tail -1 || status=1
done
exit $status
