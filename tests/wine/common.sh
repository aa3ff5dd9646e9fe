# Helpers of the end-to-end tests under Wine, sourced by the *_test.sh
# scripts with their arguments (Vorn.scr, vorn_driver.exe, their scratch
# folder) once they have set root (the source tree). The demo collection
# lies beside Vorn.scr; the native tools are those of the native build.
scr="$1" driver="$2" work="$3"
demo="$(dirname "$scr")"
cnftool="$root/build/native/tools/cnftool/cnftool"

# Ends the test unless each of the native tools named is built.
need_native_tools() {
  local t
  for t in "$@"; do
    [ -x "$t" ] || { echo "missing $t: build the native tools first"; exit 1; }
  done
}

# Ends the test unless the demo file $1 (relative to Vorn.scr's folder) is there.
need_demo() {
  [ -f "$demo/$1" ] || { echo "no demo collection beside Vorn.scr (configure with VORN_DEMOGEN)"; exit 1; }
}

# The driver under Wine in the build's prefix; $driver_flags (e.g. --quiet)
# go before the commands.
run_driver() { bash "$root/tools/wine-run.sh" "$driver" --timeout 60000 ${driver_flags:-} "$@"; }

winpath() { echo "Z:$1"; }  # Wine takes "/" as well

# A copy of the installed layout in $work/$1: Vorn.scr with the demo
# collection and its media folder beside it.
fresh() {
  rm -rf "$work/$1" && mkdir -p "$work/$1"
  cp "$scr" "$work/$1/Vorn.scr"
  cp "$demo/Vorn.CNF" "$work/$1/"
  cp -r "$demo/Vorn" "$work/$1/"
}

# Starts the saver in $work/$1 with switch $3 (default /S) and expects the
# message box titled $2 at once; its OK ends the process with exit code 0.
expect_error_box() {
  cat >"$work/$1.txt" <<SCRIPT
start "$(winpath "$work/$1/Vorn.scr")" ${3:-/S}
wait-window --pid started --class "#32770" --timeout 20000
expect-title "$2"
press OK
expect-exit 0 --timeout 5000
SCRIPT
  run_driver -f "$work/$1.txt"
}

# Keeps the prefix's wineserver up between the runs of a test (up to 30 s
# after the last program ends): a cold start costs seconds every time. The
# server gets none of the test's output streams, or the test would seem to
# run until the server ends.
keep_wineserver() {
  local prefix="${VORN_WINEPREFIX:-$root/build/wineprefix}"
  [ -f "$prefix/system.reg" ] || run_driver -c echo >/dev/null
  WINEPREFIX="$prefix" wineserver -w
  WINEPREFIX="$prefix" wineserver -p30 </dev/null >/dev/null 2>&1 || true
}
