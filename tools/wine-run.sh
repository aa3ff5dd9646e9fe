#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's scratch prefix (never the
# user's own), on the current display or, without one, on a private Xvfb.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${VORN_WINEPREFIX:-$root/build/wineprefix}"
export WINEARCH=win32
# Wine stores file names and converts arguments in the Unix locale's
# character set: without a UTF-8 locale (CI may have none set) names with
# accented letters cannot be made at all.
if [ "$(locale charmap 2>/dev/null)" != "UTF-8" ]; then export LC_ALL=C.UTF-8; fi
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ -n "${DISPLAY:-}" ]; then wineboot -i >/dev/null 2>&1 || true
  else xvfb-run -a wineboot -i >/dev/null 2>&1 || true; fi
  wineserver -w || true
fi
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$@"
else
  exec xvfb-run -a -s "-screen 0 1024x768x24" wine "$@"
fi
