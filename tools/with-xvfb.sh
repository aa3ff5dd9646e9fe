#!/usr/bin/env bash
# Runs a command with one private Xvfb display and a wineserver for the
# project's prefix, and ends both afterwards, whatever the command did.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export VORN_WINEPREFIX="${VORN_WINEPREFIX:-$root/build/wineprefix}"
xvfb_pid=""
cleanup() {
  WINEPREFIX="$VORN_WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
}
trap cleanup EXIT
if [ -z "${VORN_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${VORN_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    break
  done
fi
"$@"
