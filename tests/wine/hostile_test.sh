#!/usr/bin/env bash
# End to end under Wine: the show ("/S") and the configuration box ("/c")
# over collections made hostile.
#   hostile_test.sh VORN_SCR VORN_DRIVER WORK_DIR
# For every case: the process neither crashes nor hangs (a key ends the
# show within a second, with exit code 0; Cancel ends the box), it shows the
# message box the case calls for and no other, the collection file is byte
# for byte as before, and the process's peak working set stays within a
# bound over that of a plain show (plus four times the collection's size).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/wine/common.sh" "$@"
driver_flags=--quiet
need_native_tools "$cnftool"
need_demo Vorn/vorn2.gif
rm -rf "$work" && mkdir -p "$work"
W="$(winpath "$work")"
keep_wineserver
started=$SECONDS

# Message texts and captions, as the driver reads them back.
signature="A megnyitandó állomány nem a Vorn képernyővédő projektállománya, vagy egy régi változattal készült"
changed="A következő állomány megsérült, vagy megváltozott. A projekt így nem betölthető...\r"

# installed: Vorn.scr in $work/$1 beside an empty media folder. collection:
# the collection cnftool makes of files in that folder (one second a
# picture, no effect; stored under a short made-up folder).
installed() {  # name
  rm -rf "$work/$1" && mkdir -p "$work/$1/Vorn/BckSnd"
  cp "$scr" "$work/$1/Vorn.scr"
}
collection() {  # name, then cnftool create arguments (files relative to Vorn/)
  local d="$work/$1"; shift
  (cd "$d/Vorn" && "$cnftool" create ../Vorn.CNF --path-prefix 'C:\Kepek\' -h UseCommonOptions=1 -h ChgInt=1 \
    -h EffectNum=1 "$@") >/dev/null
}
pictures() {  # name: three small demo pictures
  installed "$1"
  cp "$demo"/Vorn/{vorn2.gif,vorn7.jpg,vorn3.jpg} "$work/$1/Vorn/"
  collection "$1" vorn2.gif vorn7.jpg vorn3.jpg
}

# Byte surgery on a collection: "count N" sets ItemCount, "repeat N" makes
# N copies of the first record (ItemCount N), "name I HEX" stores the bytes
# HEX as the file-name part of record I's MediaPath (the folder stays).
cnf() {
  python3 - "$@" <<'PY'
import struct, sys
path, op, args = sys.argv[1], sys.argv[2], sys.argv[3:]
b = bytearray(open(path, 'rb').read())
H, R = 1320, 744
if op == 'count':
    b[220:224] = struct.pack('<i', int(args[0]))
elif op == 'repeat':
    n = int(args[0])
    b = b[:H] + b[H:H + R] * n
    b[220:224] = struct.pack('<i', n)
elif op == 'name':
    at = H + int(args[0]) * R
    old = bytes(b[at + 1:at + 1 + b[at]])
    new = old[:old.rfind(b'\\') + 1] + bytes.fromhex(args[1])
    b[at] = len(new)
    b[at + 1:at + 1 + len(new)] = new
open(path, 'wb').write(b)
PY
}

# The peak working set of the first (plain) show: the others' baseline.
base_kib=0

# Runs case $1 in mode $2 (/S or /c). The driver commands in $prelude go
# before the start; a message box with caption $caption and text $text must
# come first (its OK ends the process when $ends is set); $during runs while
# the show or the box stands. Fails unless the process ends cleanly (a key
# ends the show within a second), no other box came, the peak working set
# stayed within its bound and the collection is unchanged.
run_case() {
  local name="$1" mode="$2" d="$work/$1" tag="$1-${2#/}" limit=999999999
  if [ -f "$d/Vorn.CNF" ]; then
    cp "$d/Vorn.CNF" "$work/$name.before"
    [ "$base_kib" -eq 0 ] || limit=$((base_kib + 32768 + 4 * $(stat -c %s "$d/Vorn.CNF") / 1024))
  fi
  {
    printf '%s\n' "${prelude:-}"
    echo "start \"$W/$name/Vorn.scr\" $mode"
    if [ -n "${caption:-}" ]; then
      echo "wait-window --pid started --class \"#32770\" --timeout 20000"
      echo "expect-title \"$caption\""
      echo "expect-text \"$text\""
      echo "memory --peak-max-kib $limit"
      echo "press OK"
    fi
    if [ -n "${ends:-}" ]; then
      echo "expect-exit 0 --timeout 5000"
    else
      echo "wait-window --pid started --class TForm1 --timeout ${wait_ms:-20000}"
      echo "sleep 1000"
      printf '%s\n' "${during:-}"
      echo "expect-running"
      echo "echo windows:"
      echo "list-windows --pid started"
      echo "memory --peak-max-kib $limit"
      if [ "$mode" = /S ]; then
        echo "key Escape"
        echo "wait-exit --timeout 3000"
      else
        echo "wait-window --pid started --class TForm1"
        echo "click-in --id 2 20 10"
        echo "expect-exit 0 --timeout 10000"
      fi
    fi
  } >"$work/$tag.txt"
  local rc=0 log t0=$SECONDS
  run_driver -f "$work/$tag.txt" >"$work/$tag.log" 2>&1 || rc=$?
  log="$(tr -d '\r' <"$work/$tag.log")"
  sed 's/^/   /' <<<"$log"
  echo "   ($name $mode: $((SECONDS - t0)) s)"
  [ "$rc" -eq 0 ] || { echo "FAIL $name $mode: the driver failed ($rc)"; exit 1; }
  if sed -n '/^windows:$/,$p' <<<"$log" | grep -q 'class="#32770"'; then
    echo "FAIL $name $mode: a message box came"; exit 1
  fi
  if [ "$mode" = /S ] && [ -z "${ends:-}" ]; then
    local ms; ms="$(sed -n 's/^key to exit: \([0-9]*\) ms$/\1/p' <<<"$log")"
    grep -q '^exit code 0$' <<<"$log" || { echo "FAIL $name: no clean exit"; exit 1; }
    [ -n "$ms" ] && [ "$ms" -le 1000 ] || { echo "FAIL $name: the key took ${ms:-?} ms"; exit 1; }
  fi
  [ "$base_kib" -ne 0 ] || base_kib="$(sed -n 's/^memory: .*, peak \([0-9]*\) KiB$/\1/p' <<<"$log")"
  if [ -f "$work/$name.before" ]; then
    cmp "$work/$name.before" "$d/Vorn.CNF" || { echo "FAIL $name $mode: the collection changed"; exit 1; }
  fi
}

ListView1=1102  # the configuration box's list (src/config/win32/panel2_ids.h)
rows() {  # the box previews every row in turn, from the first
  printf 'click-in --id %s 40 30\nsleep 300\n' $ListView1
  for _ in $(seq "$1"); do printf 'key Down\nsleep 300\n'; done
}

echo "== plain: three pictures (the memory baseline)"
pictures plain
run_case plain /S

echo "== cut within the signature"
pictures cut-magic
truncate -s 10 "$work/cut-magic/Vorn.CNF"
caption="HIBA VornGen2_K" text="$signature" run_case cut-magic /S

echo "== cut in the header, in an item, after an item"
pictures cut-header
truncate -s 700 "$work/cut-header/Vorn.CNF"
run_case cut-header /S
run_case cut-header /c
pictures cut-item
truncate -s $((1320 + 744 + 300)) "$work/cut-item/Vorn.CNF"
run_case cut-item /S
pictures cut-after
truncate -s $((1320 + 2 * 744)) "$work/cut-after/Vorn.CNF"
run_case cut-after /S

echo "== ItemCount far larger and far smaller than the records"
pictures count-large
cnf "$work/count-large/Vorn.CNF" count 2147483647
run_case count-large /S
installed count-small
cp "$demo/Vorn/vorn2.gif" "$work/count-small/Vorn/"
collection count-small vorn2.gif
cnf "$work/count-small/Vorn.CNF" repeat 1000
cnf "$work/count-small/Vorn.CNF" count 1
run_case count-small /S

echo "== 10,000 items"
installed many
cp "$demo/Vorn/vorn2.gif" "$work/many/Vorn/"
collection many vorn2.gif
cnf "$work/many/Vorn.CNF" repeat 10000
run_case many /S
wait_ms=60000 run_case many /c

echo "== every item missing"
pictures missing
rm "$work/missing/Vorn/"*.*
caption=HIBA text="${changed}vorn2.gif" ends=1 run_case missing /S
caption=HIBA text="${changed}vorn2.gif" run_case missing /c

echo "== every item failing to decode, a 0-byte JPEG among them"
installed undecodable
for f in zaj.jpg zaj.bmp zaj.gif zaj.ico; do head -c 20000 /dev/urandom >"$work/undecodable/Vorn/$f"; done
: >"$work/undecodable/Vorn/nulla.jpg"
collection undecodable zaj.jpg zaj.bmp nulla.jpg zaj.gif zaj.ico
run_case undecodable /S
during="$(rows 4)" run_case undecodable /c

echo "== a folder named like a picture"
pictures folder
rm "$work/folder/Vorn/vorn7.jpg" && mkdir "$work/folder/Vorn/vorn7.jpg"
caption=HIBA text="${changed}vorn7.jpg" ends=1 run_case folder /S

echo "== a file locked against reading"
pictures locked
prelude="lock-file \"$W/locked/Vorn/vorn7.jpg\"" caption=HIBA text="${changed}vorn7.jpg" ends=1 \
  run_case locked /S

echo "== a picture that changes between the check and its slide"
installed changes
cp "$demo"/Vorn/{vorn2.gif,vorn7.jpg,vorn3.jpg} "$work/changes/Vorn/"
# The first picture stands three seconds; meanwhile the second is cut to
# half its length (a copy in progress) and the third deleted.
collection changes -h UseCommonOptions=0 -i EffectNum=1 -i ChgInt=3 vorn2.gif -i ChgInt=1 vorn7.jpg vorn3.jpg
during="echo change
wait-file \"$W/changes/changed\"
sleep 3000" run_case changes /S &
case_pid=$!
until grep -qs '^change' "$work/changes-S.log"; do sleep 0.1; done
truncate -s 13000 "$work/changes/Vorn/vorn7.jpg"
rm "$work/changes/Vorn/vorn3.jpg"
touch "$work/changes/changed"
wait $case_pid

echo "== a picture locked while the show runs"
pictures locked-later
during="lock-file \"$W/locked-later/Vorn/vorn7.jpg\"
sleep 2000" run_case locked-later /S

echo "== paths of 259 and 300 characters"
for total in 259 300; do
  installed long$total
  prefix="$W/long$total/Vorn/"
  name="$(head -c $((total - ${#prefix} - 4)) /dev/zero | tr '\0' k).gif"
  cp "$demo/Vorn/vorn2.gif" "$work/long$total/Vorn/$name"
  collection long$total "$name"
  run_case long$total /S
done

echo "== names outside Windows-1250"
# A collection made where the names were Cyrillic (Windows-1251 bytes),
# read as Windows-1250: "Ďđčâĺň.gif" is not the file's name.
installed cyrillic
cp "$demo/Vorn/vorn2.gif" "$work/cyrillic/Vorn/Привет.gif"
cp "$demo/Vorn/vorn2.gif" "$work/cyrillic/Vorn/tmp.gif"
collection cyrillic tmp.gif
rm "$work/cyrillic/Vorn/tmp.gif"
cnf "$work/cyrillic/Vorn.CNF" name 0 "$(printf 'Привет.gif' | iconv -f UTF-8 -t CP1251 | od -An -tx1 | tr -d ' \n')"
caption=HIBA text="${changed}Ďđčâĺň.gif" ends=1 run_case cyrillic /S
# The saver installed in a folder whose name Windows-1250 cannot spell.
pictures Пользователь
run_case Пользователь /S
run_case Пользователь /c

echo "== a sound that is not a sound, a movie that is not a movie"
installed media
cp "$demo/Vorn/vorn2.gif" "$work/media/Vorn/"
for f in zaj.wav dal.mid film.avi klip.mpg; do head -c 30000 /dev/urandom >"$work/media/Vorn/$f"; done
head -c 30000 /dev/urandom >"$work/media/Vorn/BckSnd/hatter.mid"
collection media -h AllBckSound=hatter.mid -i SoundPath=zaj.wav vorn2.gif -i SoundPath=dal.mid film.avi \
  -i SoundPath= klip.mpg
# A sound device that takes everything (ALSA's null device).
printf '</usr/share/alsa/alsa.conf>\npcm.!default { type null }\n' >"$work/asound.conf"
ALSA_CONFIG_PATH="$work/asound.conf" prelude='reg-set HKCU "Software\\Wine\\Drivers" Audio alsa' \
  run_case media /S
ALSA_CONFIG_PATH="$work/asound.conf" during="$(rows 2)" run_case media /c

echo "ran for $((SECONDS - started)) s"
