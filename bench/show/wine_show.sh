# What the show benchmarks under Wine share, sourced after `root` is set:
# the Windows build Wine can run here (where the kernel runs no 32-bit
# programs, the 64-bit build of the same sources), its folders and prefix.
#   need FILE...   stops with a message when a file is not built yet
preset=win32
bash "$root/tools/runs-32bit.sh" || preset=win64
app="$root/build/$preset/src/app"
driver="$root/build/$preset/tests/wine/vorn_driver.exe"
cnftool="$root/build/native/tools/cnftool/cnftool"
export VORN_WINEPREFIX="${VORN_WINEPREFIX:-$root/build/$preset/wineprefix}"
need() {
  local f
  for f in "$@"; do [ -f "$f" ] || { echo "missing $f (build first)"; exit 1; }; done
}
