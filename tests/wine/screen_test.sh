#!/usr/bin/env bash
# End to end under Wine, judged by what the X screen shows (not by what
# Windows reports):
#   screen_test.sh VORN_SCR VORN_DRIVER WORK_DIR
# - On two monitors side by side (a dummy Xorg) a picture standing after its
#   transition equals, pixel for pixel outside the caption's box, the frame
#   tool's frame at the primary monitor's size; the second monitor shows the
#   show's colour. On one 800x600 screen the same at that size. A differing
#   frame leaves screen-*.png, frame-*.png and diff-*.png in WORK_DIR.
# - The window-procedure hook: a real deactivation is taken back (the show is
#   in the foreground again and has broadcast its activation); the whole
#   SC_SCREENSAVE command is refused with 0.
# - The caption keeps the mouse to itself: a move and a click over it do not
#   end the show, a move elsewhere does; a move over the second monitor too.
# - The configuration box covers no monitor.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/wine/common.sh" "$@"
frames="$root/build/native/tools/vorn-frames/vorn-frames"
need_native_tools "$frames" "$cnftool"
need_demo Vorn/vorn1.bmp
export VORN_WINEPREFIX="${VORN_WINEPREFIX:-$root/build/wineprefix}"
rm -rf "$work" && mkdir -p "$work/show/Vorn"

# One picture that stands for a minute after its transition (style 51),
# stretched over the background colour, with a caption at the bottom.
back=0x00201000 style=51
cp "$scr" "$work/show/Vorn.scr"
cp "$demo/Vorn/vorn1.bmp" "$work/show/Vorn/"
"$cnftool" create "$work/show/Vorn.CNF" -h UseCommonOptions=0 -h DisableAllSounds=1 \
  -i EffectNum=$((style + 1)) -i ChgInt=60 -i ShowMode=1 -i BckColor=$back -i PicText=Felirat \
  -i PicTextPos=3 -i PicTextSize=20 -i PicTextColor=0x00FFFFFF "$work/show/Vorn/vorn1.bmp" >/dev/null

# Runs driver script $1.txt on the current display; at each "ready NAME" it
# prints, captures the X screen into NAME.png and lets the script go on.
run_with_captures() {
  local name="$1" rc=0 seen=" "
  bash "$root/tools/wine-run.sh" "$driver" --timeout 90000 -f "$work/$name.txt" >"$work/$name.log" 2>&1 &
  local pid=$!
  while kill -0 $pid 2>/dev/null; do
    for shot in $(tr -d '\r' <"$work/$name.log" | sed -n 's/^ready \(.*\)$/\1/p'); do
      case "$seen" in *" $shot "*) continue ;; esac
      import -window root "$work/$shot.png"
      touch "$work/$shot.captured"
      seen="$seen$shot "
    done
    sleep 0.1
  done
  wait $pid || rc=$?
  tr -d '\r' <"$work/$name.log"
  echo "$rc" >"$work/$name.rc"
  [ "$rc" -eq 0 ] || echo "the driver failed ($rc)"
}
export -f run_with_captures
export root driver work

# The caption's box "l,t,r,b" from the driver's list of the show's children.
caption_box() {
  tr -d '\r' <"$work/$1.log" | sed -n 's/.*class="VornCaption".*visible=1 rect=\([-0-9,]*\).*/\1/p' | head -n 1
}

# Compares the WxH area at the screen's top left corner with the frame tool's
# frame at that size, outside the caption's box.
same_as_frame() {
  local tag="$1" shot="$2" size="$3" box="$4" l t r b
  IFS=, read -r l t r b <<<"$box"
  "$frames" --old background --new "$work/show/Vorn/vorn1.bmp" --size "$size" --style $style --progress 100 \
    --color $back --show-mode 1 --out "$work/frame-$tag.bmp"
  local mask=(-fill magenta -draw "rectangle $l,$t,$((r - 1)),$((b - 1))")
  convert "$work/$shot" -crop "$size+0+0" +repage "${mask[@]}" "$work/screen-$tag.png"
  convert "$work/frame-$tag.bmp" "${mask[@]}" "$work/frame-$tag.png"
  local differ
  differ=$(compare -metric AE "$work/screen-$tag.png" "$work/frame-$tag.png" "$work/diff-$tag.png" 2>&1 || true)
  echo "$tag: $differ pixels differ from the frame tool's frame (caption box $box masked)"
  if [ "$differ" != 0 ]; then
    echo "see $work/screen-$tag.png, $work/frame-$tag.png and $work/diff-$tag.png"
    return 1
  fi
  rm -f "$work/diff-$tag.png"
}

echo "== two monitors: the show on the primary, its colour on the other; hook; caption"
cat >"$work/two.txt" <<SCRIPT
start "Z:$work/show/Vorn.scr" /S
wait-window --pid started --class TForm1 --timeout 20000
sleep 2500
list-children
echo "ready two"
wait-file "Z:$work/two.captured"
steal-focus --for 1500
send-message 0x0112 0xF140 0
select-child --class VornCaption
mouse-move --centre
click
expect-running --for 1500
mouse-move 1400 300
expect-exit 0 --timeout 5000
start "Z:$work/show/Vorn.scr" /c
wait-window --pid started --class TForm1 --timeout 20000
sleep 1000
echo "ready config"
wait-file "Z:$work/config.captured"
kill
SCRIPT
WINEPREFIX="$VORN_WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
VORN_MONITORS=2 VORN_SCREEN=1024x768 VORN_SCREEN2=800x600 bash "$root/tools/with-xvfb.sh" \
  bash -c 'run_with_captures two'
fail=0
grep -q '^foreground: current' "$work/two.log" || { echo "the deactivated show did not take the foreground back"; fail=1; }
grep -q '^activation broadcasts: [1-9]' "$work/two.log" || { echo "the show broadcast no activation"; fail=1; }
grep -q '^result 0' "$work/two.log" || { echo "SC_SCREENSAVE was not refused with 0"; fail=1; }
# The driver fails at the first step that does not hold (expect-running over
# the caption, expect-exit after the move over the second monitor).
[ "$(cat "$work/two.rc")" = 0 ] || fail=1
box="$(caption_box two)"
[ -n "$box" ] || { echo "no visible caption"; exit 1; }
same_as_frame two two.png 1024x768 "$box" || fail=1
# The second monitor (800x600 right of the primary): the show's colour in the
# show, anything else beside the configuration box.
second() { convert "$work/$1.png" -crop 800x600+1024+0 +repage -format '%k %[pixel:p{0,0}]' info:; }
echo "second monitor in the show: $(second two); beside the configuration box: $(second config)"
[ "$(second two)" = "1 srgb(0,16,32)" ] || { echo "the second monitor is not covered in the show's colour"; fail=1; }
case "$(second config)" in *"srgb(0,16,32)"*) echo "the configuration box covers the second monitor"; fail=1 ;; esac

echo "== one 800x600 screen: the same picture at that size; a move off the caption ends the show"
cat >"$work/small.txt" <<SCRIPT
start "Z:$work/show/Vorn.scr" /S
wait-window --pid started --class TForm1 --timeout 20000
sleep 2500
list-children
echo "ready small"
wait-file "Z:$work/small.captured"
mouse-move 700 100
expect-exit 0 --timeout 5000
SCRIPT
VORN_SCREEN=800x600x24 bash "$root/tools/with-xvfb.sh" bash -c 'run_with_captures small'
[ "$(cat "$work/small.rc")" = 0 ] || { echo "a move off the caption did not end the show"; fail=1; }
box="$(caption_box small)"
[ -n "$box" ] || { echo "no visible caption"; exit 1; }
same_as_frame small small.png 800x600 "$box" || fail=1
[ "$fail" -eq 0 ] || exit 1
echo "screen end to end: ok"
