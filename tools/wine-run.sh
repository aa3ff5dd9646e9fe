#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's scratch prefix (never the
# user's own), on the current display or, without one, on a private Xvfb.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${VORN_WINEPREFIX:-$root/build/wineprefix}"
# A 64-bit program (the win64 test build) needs a 64-bit prefix and loader;
# the 32-bit loader would be chosen otherwise, even where it cannot run.
wine=wine
export WINEARCH=win32
if [ -f "${1:-}" ]; then
  pe=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ' || true)
  if [ -n "$pe" ] && [ "$(od -An -tx2 -j$((pe + 4)) -N2 "$1" | tr -d ' ')" = 8664 ]; then
    wine=/usr/lib/wine/wine64
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  fi
fi
# Wine stores file names and converts arguments in the Unix locale's
# character set: without a UTF-8 locale (CI may have none set) names with
# accented letters cannot be made at all.
if [ "$(locale charmap 2>/dev/null)" != "UTF-8" ]; then export LC_ALL=C.UTF-8; fi
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ -n "${DISPLAY:-}" ]; then "$wine" wineboot -i >/dev/null 2>&1 || true
  else xvfb-run -a "$wine" wineboot -i >/dev/null 2>&1 || true; fi
  wineserver -w || true
fi
# Without a window manager (a bare X server) Wine leaves maximised and
# full-screen windows to a manager that is not there: they keep their
# designed size on the X screen while Windows believes they cover it, and
# Wine waits two seconds for every such window it hides or destroys. Not
# "managed", Wine places every window itself, as Windows does. The value
# counts only in the driver's own key: a key of a look-alike name (left by a
# command that lost its backslashes) holds it in vain.
if ! awk '/^\[/ { own = /^\[Software\\\\Wine\\\\X11 Driver\]/ }
          own && /^"Managed"="N"/ { found = 1 } END { exit !found }' "$WINEPREFIX/user.reg" 2>/dev/null; then
  reg=(reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f)
  if [ -n "${DISPLAY:-}" ]; then "$wine" "${reg[@]}" >/dev/null 2>&1 || true
  else xvfb-run -a "$wine" "${reg[@]}" >/dev/null 2>&1 || true; fi
fi
if [ -n "${DISPLAY:-}" ]; then
  exec "$wine" "$@"
else
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$wine" "$@"
fi
