# Camera photos for the benchmarks, sourced by them: Debian's mate-backgrounds
# extracted into $photos at run time (never committed), and large ones made
# from its largest photo at the sizes of today's cameras.
#   photo_path NAME          a photo of the package, by file name
#   large_photo MP           build/photos/pMP.jpg (24, 48 or about 100 MP), made once
photos="$root/build/photos"
mkdir -p "$photos"
if [ ! -d "$photos/x" ]; then
  (cd "$photos" && apt-get download mate-backgrounds >/dev/null 2>&1 && dpkg -x mate-backgrounds_*.deb x)
fi
photo_path() { find "$photos/x" -name "$1" | head -n 1; }
large_photo() {
  local out="$photos/p$1.jpg" big
  big="$(photo_path Elephants_5640x3172.jpg)"
  if [ ! -f "$out" ]; then
    case "$1" in
      24) convert "$big" -resize '6000x4000!' -quality 92 "jpg:$out.tmp" ;;
      48) convert "$big" -resize '8000x6000!' -quality 92 "jpg:$out.tmp" ;;
      # ImageMagick's policy refuses pictures this large: the photo tiled
      # 2 x 3 (11280x9516, 107 MP), through djpeg and cjpeg.
      100) djpeg "$big" | python3 -c '
import sys
f = sys.stdin.buffer
magic, size, depth = f.readline(), f.readline(), f.readline()
w, h = map(int, size.split())
rows = [f.read(3 * w) for _ in range(h)]
out = sys.stdout.buffer
out.write(b"P6\n%d %d\n255\n" % (2 * w, 3 * h))
for _ in range(3):
    for r in rows: out.write(r + r)
' | cjpeg -quality 92 >"$out.tmp" ;;
      *) return 1 ;;
    esac
    mv "$out.tmp" "$out"  # only a whole picture: a failed run leaves none
  fi
  echo "$out"
}
