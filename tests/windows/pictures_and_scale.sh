#!/usr/bin/env bash
# brondel.exe under Wine and Xvfb, as a person uses it. Its window has the program's icon.
# Ctrl+C offers the chart's picture to other programs as image/svg+xml and as a PNG (Wine hands
# Windows' registered formats to X by name): the SVG validates, the PNG has twice its size and
# the Box fills at their places; "Export Picture..." writes the same two files through the real
# save dialog. At 144 dpi (the registry's LogPixels) on a 1920 x 1080 screen the main window is
# scaled to fit it, with Box fills and sharp lines at the scaled places.
# Usage: pictures_and_scale.sh BRONDEL CHART ARTIFACTS   (WINE, WINEPREFIX set)
set -euo pipefail
[ -n "${DISPLAY:-}" ] || exec "$(dirname "$0")/../../scripts/with-xvfb" -s '-screen 0 1920x1080x24' "$0" "$@"
exe=$1 chart=$2 artifacts=$3
work=$(mktemp -d) && mkdir -p "$artifacts"
prefixes=("$WINEPREFIX" "$work/prefix-144")
trap 'set +e; kill $pid 2>/dev/null; WINEPREFIX=${prefixes[1]} wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
windows_path() { echo "Z:$1" | tr / '\\'; }
main_window() { timeout 20 xdotool search --sync --onlyvisible --name '^Brondel 2004' | head -n 1; }
pixel() { convert "$1" -crop "1x1+$2+$3" -depth 8 -format '#%[hex:p{0,0}]' info:; }
# The Box fills the SVG states (each <rect> after the white ground), at their places in the PNG.
check_fills() { # SVG PNG SCALE
  grep -ao '<rect x="[0-9]*" y="[0-9]*" width="[0-9]*" height="[0-9]*" fill="#[0-9A-F]*"' "$1" |
    tr -dc '0-9A-F#\n ' | while read -r x y _ _ fill; do
      got=$(pixel "$2" $(($3 * x + 2)) $(($3 * y + 2)))
      [ "$got" = "$fill" ] || fail "$(basename "$2"): the Box at $x,$y is $got, not $fill"
    done
}
# Takes the main window into FILE until it shows, at PERCENT, the Boxes of the Managing Director,
# Sales and IT with their fills, and the trunk across row 3 and the line along it black with
# only the face colour beside them (sharp); 15 s at most.
painted() { # FILE PERCENT
  local box x y fill line
  at() { echo $((($1 * $2 + 50) / 100)); }
  for _ in $(seq 60); do
    import -window "$main" "$1" && for box in "434 30 #F7DC6F" "14 200 #F5B041" "854 200 #AF7AC5"; do
      read -r x y fill <<<"$box"
      [ "$(pixel "$1" "$(at "$x" "$2")" "$(at "$y" "$2")")" = "$fill" ] || continue 2
    done && for line in "$(at 90 "$2")x1+$(at 450 "$2")+$(at 150 "$2")" "1x$(at 30 "$2")+$(at 350 "$2")+$(at 145 "$2")"; do
      [ "$(convert "$1" -crop "$line" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | uniq | tr '\n' ' ')" = "#EFEFEF #000000 #EFEFEF " ] || continue 2
    done && return
    sleep 0.25
  done
  fail "the chart is not painted as expected at $2 % (see $1)"
}
cp "$chart" "$work/chart.kpv"

$WINE "$exe" "$(windows_path "$work/chart.kpv")" & pid=$!
main=$(main_window) && [ -n "$main" ] || fail "no main window"
painted "$work/shot.png" 100
# The icon Wine hands the desktop for the title bar and the task bar is the program's own: the
# fill of its boxes (#E3DEBC in data/brondel.svg) is in it.
icon=$(xprop -id "$main" -f _NET_WM_ICON 32c _NET_WM_ICON | tr , '\n')
grep -q "^ *$((0xFFE3DEBC))$" <<<"$icon" || fail "the window does not have the program's icon"
for _ in $(seq 20); do # a busy machine starts late: Ctrl+C until the clipboard has it
  xdotool windowfocus --sync "$main" key ctrl+c && sleep 0.5
  targets=$(xclip -selection clipboard -t TARGETS -o 2>/dev/null || true)
  [[ $targets == *image/png* ]] && break
done
for target in image/svg+xml image/png; do
  grep -qx "$target" <<<"$targets" || fail "Ctrl+C offers no $target, only: $targets"
done
xclip -selection clipboard -t image/svg+xml -o >"$work/copied.svg"
xclip -selection clipboard -t image/png -o >"$work/copied.png"
xmllint --noout "$work/copied.svg" || fail "the copied SVG is not well-formed"
read -r width height < <(grep -ao 'viewBox="0 0 [0-9]* [0-9]*"' "$work/copied.svg" | tr -dc '0-9 ' | cut -d' ' -f3-)
[ "$(identify -format '%w %h' "$work/copied.png")" = "$((2 * width)) $((2 * height))" ] ||
  fail "the copied PNG is not twice the picture's $width x $height"
check_fills "$work/copied.svg" "$work/copied.png" 2

for format in svg png; do # the popup menu's last item, then the save dialog
  xdotool mousemove --window "$main" 60 30 click 3 && sleep 0.3 && xdotool key Up Return
  dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Export Picture' | head -n 1)
  [ -n "$dialog" ] || fail "Export Picture opened no dialog"
  xdotool windowfocus --sync "$dialog" type "$(windows_path "$work/exported.$format")"
  xdotool key Return
  for _ in $(seq 50); do [ -s "$work/exported.$format" ] && break; sleep 0.1; done
  cmp "$work/copied.$format" "$work/exported.$format" || fail "the exported $format differs"
done
kill "$pid" && wait "$pid" || true
echo "clipboard and export: ${SECONDS} s"
timeout 10 bash -c 'while xdotool search --onlyvisible --name "^Brondel 2004"; do sleep 0.1; done' >/dev/null || true

# 144 dpi: in a prefix of its own, which shares the unchanged files of the build's.
cp -al "$WINEPREFIX" "$work/prefix-144" && export WINEPREFIX=$work/prefix-144
for f in "$WINEPREFIX"/*.reg; do cp --remove-destination "${prefixes[0]}/${f##*/}" "$f"; done
$WINE reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
$WINE "$exe" "$(windows_path "$work/chart.kpv")" &
main=$(main_window) && [ -n "$main" ] || fail "no main window at 144 dpi"
eval "$(xdotool getwindowgeometry --shell "$main")"
percent=$(((WIDTH * 100 + 494) / 989))
echo "at 144 dpi the main window is ${WIDTH}x$HEIGHT ($percent %), its client area ends at row $((Y + HEIGHT))"
((percent > 100 && Y + HEIGHT <= 1080)) || fail "the main window is not scaled to fit the screen"
[ "$HEIGHT" = "$(((715 * percent + 50) / 100))" ] || fail "the main window is not 989 x 715 at $percent %"
painted "$artifacts/windows-144dpi.png" "$percent"
echo "copied, exported and scaled as expected, in ${SECONDS} s"
