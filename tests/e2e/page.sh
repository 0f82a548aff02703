#!/usr/bin/env bash
# A generated page as headless Chromium shows it, checked by its pixels against the list in
# data/NAME.checks: Box colours and texts in their cells, and connector lines 2 pixels thick
# and unbroken through bends, tees and crossings: a flood fill from one line reaches exactly
# the line ends named. Usage: page.sh PAGE SCREENSHOT NAME
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x11.sh"
command -v chromium >/dev/null || { echo "SKIP: chromium is not installed"; exit 77; }
shot=$2 filled=${2%.png}-filled.png profile=$(mktemp -d) && mkdir -p "$(dirname "$2")"
trap 'rm -rf "$profile"' EXIT
timeout -k 5 90 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync --hide-scrollbars \
  --user-data-dir="$profile" --screenshot="$shot" --window-size=1200,800 \
  "file://$(realpath "$1")" >/dev/null 2>&1 || fail "chromium failed"

# The table starts inside the page's margin of 8 pixels. Box columns are 150 pixels wide with
# connector columns of 10; Box rows 40 high (the narrow row 20) with spacer rows of 8. Lines
# run on the two middle pixel rows or columns of their cells.
while read -r kind row column arg want what; do
  x=$((8 + 160 * column)) y=$((8 + 48 * row - (row > 1 ? 20 : 0))) h=$((row == 1 ? 20 : 40))
  if [ "$kind" = box ]; then
    check "$shot" $((x + 147)) $((y + h - 2)) 1 1 "#$arg" "$want $what: colour"
    check "$shot" $((x + 20)) $((y + 2)) 110 $((h - 4)) ink "$want $what: text"
    continue
  fi
  case $arg in # the pixel of a line just outside that side of the Box, and across the line
    top) x=$((x + 74)) y=$((y - 1)) dx=1 dy=0 ;; bottom) x=$((x + 74)) y=$((y + h)) dx=1 dy=0 ;;
    left) x=$((x - 1)) y=$((y + h / 2 - 1)) dx=0 dy=1 ;; right) x=$((x + 150)) y=$((y + h / 2 - 1)) dx=0 dy=1 ;;
  esac
  if [ "$kind" = seed ]; then # a line 2 pixels thick, and the fill of all that joins it
    check "$shot" "$x" "$y" $((1 + dx)) $((1 + dy)) line "$what: 2 pixels thick"
    check "$shot" $((x - dx)) $((y - dy)) 1 1 blank "$what: not thicker"
    check "$shot" $((x + 2 * dx)) $((y + 2 * dy)) 1 1 blank "$what: not thicker"
    convert "$shot" -alpha off -fuzz 40% -fill red -draw "color $x,$y floodfill" "$filled"
  else
    check "$filled" "$x" "$y" 1 1 "$want" "$what"
  fi
done < <(grep -v '^#' "$here/data/$3.checks")
[ "$errors" -eq 0 ] || fail "$errors checks of the page failed; see $shot"
