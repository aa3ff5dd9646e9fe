#!/usr/bin/env bash
# Runs every fuzz target (pictures, the collection reader, cnftool dump) with
# ASan and UBSan, one after the other, then replays the seed corpus and the
# regression files.
#   bash tools/fuzz.sh [seconds] [extra libFuzzer options]
#     each target for that many seconds (default 30): the smoke of tools/test.sh
#   bash tools/fuzz.sh --runs N [extra libFuzzer options]
#     the long run: each target until it has executed N inputs (10^6 for the
#     table in README.md, about 110 minutes on the shared 2-core machine)
# Each target prints its executions, executions per second and new corpus
# units. VORN_FUZZ_TARGETS="gif jpeg" limits the run to those targets.
# Working corpora stay in build/fuzz/corpus/<target>; any finding (crash,
# leak, UBSan report, timeout, out of memory) lands in build/fuzz/artifacts/
# and makes the script fail.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
if [ "${1:-}" = --runs ]; then
  [ -n "${2:-}" ] || { echo "fuzz.sh: --runs needs a count" >&2; exit 2; }
  limit=(-runs="$2")
  what="until $2 executions"
  shift 2
else
  limit=(-max_total_time="${1:-30}")
  what="for ${1:-30}s"
  shift || true
fi
jobs="${VORN_JOBS:-2}"
san="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g"

cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORN_FUZZ=ON -DVORN_TESTS=OFF \
  -DVORN_BENCH=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS="$san" -DCMAKE_CXX_FLAGS="$san" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
read -r -a targets <<<"${VORN_FUZZ_TARGETS:-bmp ico gif jpeg picture exif collection cnftool_dump}"
cmake --build build/fuzz -j"$jobs" --target "${targets[@]/#/vorn_fuzz_}"

# Seeds from the test generators (native unit-test build).
cmake --preset native >/dev/null
cmake --build build/native -j"$jobs" --target vorn_codecs_tests
rm -rf build/fuzz/seeds
VORN_FUZZ_SEEDS="$root/build/fuzz/seeds" build/native/tests/codecs/vorn_codecs_tests \
  --gtest_filter='FuzzSeeds.AreWrittenWhenAsked' --gtest_brief=1 >/dev/null

mkdir -p build/fuzz/artifacts
status=0
summary=()
statof() { sed -n "s/^stat::$1: *//p" "build/fuzz/$2.log" | tail -1; }
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
  echo "== fuzz $t $what"
  # A tiny file may legally declare a picture of a few hundred megapixels
  # (an RLE bitmap, say), which takes about ten seconds to decode under the
  # sanitizers; a unit counts as hung only well past that.
  if ! "$bin" "${limit[@]}" -timeout=60 -rss_limit_mb=2560 -malloc_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="build/fuzz/artifacts/$t-" "$@" "${dirs[@]}" \
      2> "build/fuzz/$t.log"; then
    echo "fuzz $t: FAILED (see build/fuzz/$t.log and build/fuzz/artifacts/)"
    status=1
  fi
  line="$(printf '%-13s %10s executions %6s exec/s %5s new units' "$t" "$(statof number_of_executed_units "$t")" \
    "$(statof average_exec_per_sec "$t")" "$(statof new_units_added "$t")")"
  echo "  $line"
  summary+=("$line")
  echo "== replay $t"
  "$bin" -runs=0 "${dirs[@]:1}" 2>&1 | grep -E "^(INFO: seed corpus|Done)" | tail -1 || status=1
done
echo "== summary (ASan+UBSan)"
printf '  %s\n' "${summary[@]}"
exit $status
