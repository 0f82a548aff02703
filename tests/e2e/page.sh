#!/usr/bin/env bash
# A generated page as headless Chromium shows it, checked by its pixels against the list in
# data/NAME.checks: Box colours and texts in their cells, and connector lines 2 pixels thick
# and unbroken through bends, tees and crossings: a flood fill from one line reaches exactly
# the line ends named. Usage: page.sh PAGE SCREENSHOT NAME
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x11.sh"
command -v chromium >/dev/null || { echo "SKIP: chromium is not installed"; exit 77; }
shot=$2 filled=${2%.png}-filled.png profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
timeout -k 5 90 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync --hide-scrollbars \
  --user-data-dir="$profile" --screenshot="$shot" --window-size=1200,800 \
  "file://$(realpath "$1")" >/dev/null 2>&1 || fail "chromium failed"

# Nominal cells: Box columns 150 wide, connector columns 10; Box rows 40 high (the narrow row
# 20), spacer rows 8. Lines run on the two middle pixel rows or columns of their cells.
ox=0 oy=0
X() { echo $((ox + 160 * $1)); }
Y() { echo $((oy + 48 * $1 - ($1 > 1 ? 20 : 0))); }
H() { echo $(($1 == 1 ? 20 : 40)); }
side() { # ROW COLUMN SIDE: the pixel of a line just outside that side of the Box
  local x y h
  x=$(X "$2") y=$(Y "$1") h=$(H "$1")
  case $3 in
    top) echo $((x + 74)) $((y - 1)) ;; bottom) echo $((x + 74)) $((y + h)) ;;
    left) echo $((x - 1)) $((y + h / 2 - 1)) ;; right) echo $((x + 150)) $((y + h / 2 - 1)) ;;
  esac
}
first() { awk -F '[,:]' "/$1/ && !n++ { print \$$2 }"; } # where txt: output first has COLOUR
while read -r kind row column arg what; do
  read -r x y < <(side "$row" "$column" "$arg") || true
  case $kind in
    corner) # the table's corner, from the colour of a Box
      oy=$(convert "$shot" -crop "1x800+$((83 + 160 * column))+0" +repage txt:- | first "#$arg" 2)
      ox=$(convert "$shot" -crop "1200x1+0+$((oy + 3))" +repage txt:- | first "#$arg" 1)
      ox=$((ox - 160 * column)) oy=$((oy - 48 * row + (row > 1 ? 20 : 0))) ;;
    box)
      x=$(X "$column") y=$(Y "$row") h=$(H "$row")
      check "$shot" $((x + 2)) $((y + 1)) 1 1 "#$arg" "$what: colour"
      check "$shot" $((x + 147)) $((y + h - 2)) 1 1 "#$arg" "$what: colour"
      check "$shot" $((x + 20)) $((y + 2)) 110 $((h - 4)) ink "$what: text" ;;
    seed)
      [[ $arg == top || $arg == bottom ]] && across="1 0" || across="0 1"
      read -r dx dy <<<"$across"
      check "$shot" $((x - dx)) $((y - dy)) 1 1 blank "$what: no wider than 2 pixels"
      check "$shot" "$x" "$y" $((1 + dx)) $((1 + dy)) line "$what: 2 pixels"
      check "$shot" $((x + 2 * dx)) $((y + 2 * dy)) 1 1 blank "$what: no wider than 2 pixels"
      convert "$shot" -alpha off -fuzz 40% -fill red -draw "color $x,$y floodfill" "$filled" ;;
    reached) check "$filled" "$x" "$y" 1 1 "#FF0000" "$what" ;;
    apart) check "$filled" "$x" "$y" 1 1 "#000000" "$what" ;;
    blank) check "$filled" "$x" "$y" 1 1 blank "$what" ;;
  esac
done < <(grep -v '^#' "$here/data/$3.checks")
[ "$errors" -eq 0 ] || fail "$errors checks of the page failed; see $shot"
echo "page checks passed; the page is in $shot"
