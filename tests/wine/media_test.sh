#!/usr/bin/env bash
# End to end under Wine: what the show plays and what its movie puts on the
# screen, heard through a recording sound device and seen on the X screen.
#   media_test.sh VORN_SCR VORN_DRIVER WORK_DIR
# Wine plays through ALSA into a file (the "file" plugin over the "null"
# device, configured for these runs only). The recording must hold the
# looped item sound several times over, the single item sound and the
# background music, each told apart by its pitch; with DisableAllSounds set
# it must hold none of them. The demo movie (a green bar crossing a magenta
# field) must appear in screenshots of the X display, its bar moving and
# its frames whole: nearly every pixel the field's or the bar's colour.
set -euo pipefail
scr="$1" driver="$2" work="$3"
root="$(cd "$(dirname "$0")/../.." && pwd)"
demo="$(dirname "$scr")"
if [ ! -f "$demo/Vorn/film.avi" ]; then
  echo "no demo collection beside Vorn.scr (configure with VORN_DEMOGEN); skipped"
  exit 0
fi
cnftool="$(dirname "$driver")/../../tools/cnftool/cnftool.exe"
[ -f "$cnftool" ] || { echo "no cnftool.exe beside the build ($cnftool)"; exit 1; }
mkdir -p "$work"
winrun() { bash "$root/tools/wine-run.sh" "$@"; }

# alsa.conf first (it defines the plugin types), then a default device that
# converts whatever Wine opens to one known raw format and writes it out.
# Each sound opens the device anew: "truncate false" gives every opening a
# file of its own (rec.raw, rec.raw.0001, ...) instead of overwriting one.
cat >"$work/asound.conf" <<CONF
</usr/share/alsa/alsa.conf>
pcm.!default { type plug; slave { pcm "vorn_rec"; format S16_LE; rate 22050; channels 1 } }
pcm.vorn_rec { type file; slave.pcm "null"; file "$work/rec/rec.raw"; format "raw"; truncate false }
CONF
export ALSA_CONFIG_PATH="$work/asound.conf"

# A collection in the installed layout: a looped sound (660 Hz, 0.3 s) for
# two seconds, a single one (880 Hz, 0.4 s), the movie (8 s, given 10: Wine
# may be slow to show its first frame); background music 220 Hz. Style 0 shows each picture at once.
make_show() {  # $1 folder, then extra header settings
  local d="$work/$1"; shift
  rm -rf "$d" && mkdir -p "$d/Vorn/BckSnd"
  cp "$scr" "$d/Vorn.scr"
  cp "$demo"/Vorn/{vorn5.bmp,vorn3.jpg,film.avi,dallam.wav,csengo.wav} "$d/Vorn/"
  cp "$demo/Vorn/BckSnd/hatter.wav" "$d/Vorn/BckSnd/"
  (cd "$d/Vorn" && winrun "$cnftool" create ../Vorn.CNF -h UseCommonOptions=0 \
    -h AllBckSound=hatter.wav "$@" \
    -i EffectNum=1 -i ChgInt=2 -i SoundPath=dallam.wav -i SoundLoop=1 vorn5.bmp \
    -i SoundPath=csengo.wav -i SoundLoop=0 vorn3.jpg -i SoundPath= -i ChgInt=10 film.avi) >/dev/null
}

# Pixels of the movie's magenta, the green bar's, their mean x, and whether
# those two colours make at least 90 % of a screenshot of the X display
# (the movie covers it; frames read in a wrong pixel format scatter other
# colours), every fourth pixel in each direction (sampled, never blended,
# so the colours stay exact).
film_in() {
  { import -window root -depth 8 ppm:- | convert ppm:- -sample 25% "ppm:$work/shot.ppm"; } 2>/dev/null \
    || { echo 0 0 -1 0; return; }
  python3 - "$work/shot.ppm" <<'PY'
import sys
d = open(sys.argv[1], 'rb').read()
parts = d.split(maxsplit=4)
w, h, px = int(parts[1]), int(parts[2]), parts[4]
rgb = [px[i:i + 3] for i in range(0, w * h * 3, 3)]
magenta = rgb.count(b'\xff\x00\xff')
xs = [i % w for i, p in enumerate(rgb) if p == b'\x00\xff\x00']
print(magenta, len(xs), sum(xs) // len(xs) if xs else -1, int(10 * (magenta + len(xs)) >= 9 * len(rgb)))
PY
}

# Runs the show in $work/$1, looking at the screen until the movie has come
# and gone (at most 90 s: a busy machine slows Wine down), then ends it with
# a key from a second driver (the first one waits for the end). Sets `seen`
# (screenshots with the movie), `whole` (those with its frame whole) and
# `xs` (the green bar's places in them).
run_show() {
  local d="$work/$1"
  rm -rf "$work/rec" && mkdir -p "$work/rec"
  winrun "$driver" --timeout 200000 \
    -c 'reg-set HKCU "Software\\Wine\\Drivers" Audio alsa' \
    -c "start \"Z:$d/Vorn.scr\" /S" -c "wait-window --pid started --class TForm1 --timeout 60000" \
    -c "wait-exit --timeout 120000" >"$work/$1.log" 2>&1 &
  local pid=$!
  for _ in $(seq 600); do grep -q 'class="TForm1"\|FAIL' "$work/$1.log" && break; sleep 0.1; done
  grep -q 'class="TForm1"' "$work/$1.log" || { kill "$pid"; tr -d '\r' <"$work/$1.log"; echo "no show window"; exit 1; }
  seen=0 whole=0 xs=""
  local until=$((SECONDS + 90)) m x w
  while [ "$SECONDS" -lt "$until" ]; do
    read -r m _ x w <<<"$(film_in)"
    if [ "$m" -gt 300 ]; then
      seen=$((seen + 1)) whole=$((whole + w)) xs="$xs $x"
    elif [ "$seen" -gt 0 ]; then
      break  # the movie's item is over
    fi
    sleep 0.2
  done
  winrun "$driver" --timeout 20000 -c "wait-window --class TForm1" -c "key Escape" >/dev/null 2>&1 || true
  wait "$pid" || true
  tr -d '\r' <"$work/$1.log" | grep -q '^exit code 0' || { tr -d '\r' <"$work/$1.log"; echo "the show did not end cleanly"; exit 1; }
}

# Seconds of each tone in the recordings (22050 Hz mono, 16-bit; one file
# a sound): 50 ms windows where one tone clearly carries the window's
# energy. Prints the background music's total and the longest recording of
# the looped sound and of the single sound (the key may cut the last one).
# The null device takes samples faster than real time, so a looped sound
# gives more seconds than it played for.
tones() {
  python3 - "$work/rec" <<'PY'
import math, os, struct, sys
rate, win = 22050, 1102
total = {220: 0.0, 660: [], 880: []}
def power(block, hz):  # Goertzel
    k = 2 * math.cos(2 * math.pi * hz / rate); a = b = 0.0
    for x in block: a, b = x + k * a - b, a
    return a * a + b * b - k * a * b
for name in os.listdir(sys.argv[1]):
    data = open(os.path.join(sys.argv[1], name), 'rb').read()
    n = len(data) // 2
    s = struct.unpack('<%dh' % n, data[:n * 2])
    secs = {220: 0.0, 660: 0.0, 880: 0.0}
    for i in range(0, n - win + 1, win):
        block = s[i:i + win]
        energy = sum(x * x for x in block) * win / 2
        if energy < win * win * 100: continue  # below about -50 dB
        for hz in secs:
            if power(block, hz) > 0.3 * energy: secs[hz] += win / rate
    total[220] += secs[220]
    for hz in (660, 880):
        if secs[hz] > 0: total[hz].append(secs[hz])
print('%.2f %.2f %.2f' % (total[220], max(total[660] or [0]), max(total[880] or [0])))
PY
}

echo "== sounds and the movie"
make_show sound
run_show sound
read -r bck loop once <<<"$(tones)"
echo "recorded: background music $bck s, looped sound $loop s, single sound $once s"
echo "movie on the screen in $seen screenshots ($whole whole), green bar at x:$xs"
awk -v l="$loop" -v o="$once" 'BEGIN {
  if (l < 0.9) { print "the looped sound gave " l " s, not several rounds of 0.3 s"; exit 1 }
  if (o < 0.2 || o > 0.8) { print "the single sound gave " o " s, not one round of 0.4 s"; exit 1 } }'
[ "$seen" -gt 0 ] || { echo "the movie's frames are not on the screen"; exit 1; }
[ "$(printf '%s\n' $xs | sort -u | wc -l)" -ge 2 ] || { echo "the movie does not move"; exit 1; }
[ $((2 * whole)) -ge "$seen" ] || { echo "the movie's frames are garbled in most screenshots"; exit 1; }

echo "== DisableAllSounds: silence, the movie still plays"
make_show quiet -h DisableAllSounds=1
run_show quiet
read -r bck loop once <<<"$(tones)"
echo "recorded: background music $bck s, looped sound $loop s, single sound $once s"
awk -v t="$bck $loop $once" 'BEGIN { split(t, a, " "); if (a[1] + a[2] + a[3] > 0) { print "sound despite DisableAllSounds"; exit 1 } }'
[ "$seen" -gt 0 ] || { echo "the movie's frames are not on the screen"; exit 1; }
echo "media end to end: ok"
