#!/usr/bin/env bash
# Runs a command with one private X display and a wineserver for the
# project's prefix, and ends both afterwards, whatever the command did.
# The display is an Xvfb of VORN_SCREEN (default 1024x768x24); with
# VORN_MONITORS=2 it is a dummy Xorg with a second monitor of VORN_SCREEN2
# (default 800x600) to the right of the first, as Wine then sees two monitors
# side by side (Xvfb would stack its Xinerama heads on one another).
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export VORN_WINEPREFIX="${VORN_WINEPREFIX:-$root/build/wineprefix}"
x_pid=""
x_dir=""
cleanup() {
  WINEPREFIX="$VORN_WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
  [ -n "$x_pid" ] && kill "$x_pid" >/dev/null 2>&1 || true
  [ -n "$x_dir" ] && rm -rf "$x_dir"
}
trap cleanup EXIT

two_monitor_config() {  # WxH WxH
  local i=0
  # Wine takes its monitors from the Xinerama heads only without RandR, and
  # its reading of the XF86VidMode modes crashes on a dummy (which has no
  # modes to set anyway).
  printf 'Section "ServerFlags"\n  Option "AutoAddDevices" "false"\n  Option "DontVTSwitch" "true"\n  Option "DisableVidModeExtension" "true"\nEndSection\n'
  printf 'Section "Extensions"\n  Option "RANDR" "disable"\nEndSection\n'
  printf 'Section "Monitor"\n  Identifier "mon"\n  HorizSync 5.0-1000.0\n  VertRefresh 5.0-200.0\nEndSection\n'
  for size in "$@"; do
    printf 'Section "Device"\n  Identifier "card%d"\n  Driver "dummy"\n  VideoRam 65536\nEndSection\n' $i
    printf 'Section "Screen"\n  Identifier "screen%d"\n  Device "card%d"\n  Monitor "mon"\n  DefaultDepth 24\n' $i $i
    printf '  SubSection "Display"\n    Depth 24\n    Virtual %s %s\n  EndSubSection\nEndSection\n' "${size%x*}" "${size#*x}"
    i=$((i + 1))
  done
  printf 'Section "ServerLayout"\n  Identifier "two"\n  Screen 0 "screen0"\n  Screen 1 "screen1" RightOf "screen0"\n'
  printf '  Option "Xinerama" "on"\nEndSection\n'
}

if [ -z "${VORN_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
  screen="${VORN_SCREEN:-1024x768x24}"
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    if [ "${VORN_MONITORS:-1}" = 2 ]; then
      x_dir="$(mktemp -d)"
      first="$(echo "$screen" | cut -dx -f1,2)"
      two_monitor_config "$first" "${VORN_SCREEN2:-800x600}" >"$x_dir/xorg.conf"
      Xorg ":$n" -config "$x_dir/xorg.conf" -logfile "$x_dir/xorg.log" -noreset -nolisten tcp \
        -novtswitch -sharevts >/dev/null 2>&1 &
    else
      Xvfb ":$n" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
    fi
    x_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    break
  done
fi
"$@"
