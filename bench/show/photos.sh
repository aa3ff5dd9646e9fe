#!/usr/bin/env bash
# Large camera photos as the show shows them stretched, before (at their own
# size, shrunk by the paint) and after (fitted once to the screen):
#  - quality: PSNR against ImageMagick's -resize of the same photo, beside
#    ImageMagick's -sample (a plain pick of pixels) as the floor;
#  - the frame tool's processor time and peak memory on 24 and 48 MP photos
#    at 1080p and 4K, beside djpeg's full decode of the same file and the
#    tool's own cost with no photo at all.
# The photos are Debian's mate-backgrounds, extracted into build/photos at
# run time; the 24 and 48 MP ones are made from its largest photo.
#   bash bench/show/photos.sh     (after building vorn-frames in build/native)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
frames=build/native/tools/vorn-frames/vorn-frames
source bench/show/photo_files.sh
dir="$photos"
large_photo 24 >/dev/null
large_photo 48 >/dev/null

# The picture's place in a W x H window, as the player fits it.
place() {  # w h W H -> "dw dh x y"
  local w=$1 h=$2 W=$3 H=$4 dw dh
  if (( H * w > W * h )); then dw=$W; dh=$(( (h * W + w / 2) / w )); else dw=$(( (w * H + h / 2) / h )); dh=$H; fi
  echo "$dw $dh $(( (W - dw) / 2 )) $(( (H - dh) / 2 ))"
}
psnr() { compare -metric PSNR "$1" "$2" null: 2>&1 | cut -d' ' -f1 || true; }

echo "== quality at 1920x1080: PSNR in dB against ImageMagick -resize (higher is better)"
printf '  %-28s %8s %8s %8s\n' photo before after floor
for name in Elephants_5640x3172.jpg Elephants_3840x2160.jpg Wood.jpg LadyBird.jpg Storm.jpg; do
  p=$(photo_path "$name")
  read -r w h < <(identify -format '%w %h\n' "$p")
  read -r dw dh x y < <(place "$w" "$h" 1920 1080)
  crop="${dw}x${dh}+${x}+${y}"
  convert "$p" -resize "${dw}x${dh}!" "$dir/ref.png"
  convert "$p" -sample "${dw}x${dh}!" "$dir/floor.png"
  "$frames" --new "$p" --size 1920x1080 --style 0 --progress 100 --out "$dir/after.png"
  "$frames" --unfitted --new "$p" --size 1920x1080 --style 0 --progress 100 --out "$dir/before.png"
  convert "$dir/after.png" -crop "$crop" +repage "$dir/after.png"
  convert "$dir/before.png" -crop "$crop" +repage "$dir/before.png"
  printf '  %-28s %8s %8s %8s\n' "$name ${w}x${h}" "$(psnr "$dir/before.png" "$dir/ref.png")" \
    "$(psnr "$dir/after.png" "$dir/ref.png")" "$(psnr "$dir/floor.png" "$dir/ref.png")"
done

# Processor time (user + system, s) and peak resident memory (MB) of a command.
measure() {
  /usr/bin/time -f '%U %S %M' -o "$dir/time.txt" "$@" >/dev/null
  awk '{ printf "%6.2f s %6.0f MB", $1 + $2, $3 / 1024 }' "$dir/time.txt"
}

echo "== the frame tool's whole run (one frame), processor time and peak memory"
for size in 1920x1080 3840x2160; do
  echo "  $size: no photo (the tool's own cost) $(measure "$frames" --size "$size" --style 0 --progress 100 --checksum)"
  for mp in 24 48; do
    p="$dir/p$mp.jpg"
    echo "  $size: $mp MP fitted $(measure "$frames" --new "$p" --size "$size" --style 0 --progress 100 --checksum)" \
         " | djpeg full decode $(measure djpeg -outfile /dev/null "$p")"
  done
done
echo "  1920x1080: 24 MP unfitted (the old way) $(measure "$frames" --unfitted --new "$dir/p24.jpg" --size 1920x1080 --style 0 --progress 100 --checksum)"
