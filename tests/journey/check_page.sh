#!/usr/bin/env bash
# Checks Chromium's screenshot of the journey's page by its pixels: every Box in its colour
# with its text, empty Boxes white, and every connector line unbroken, 2 pixels thick, from
# Box to Box through the tees and bends. Usage: check_page.sh SCREENSHOT
set -euo pipefail
shot=$1

# shellcheck source=pixels.sh
source "$(dirname "$0")/pixels.sh"

# The table's corner, found from the top Box's colour (row 0, column 3).
top=F4B942
y0=$(convert "$shot" -crop 1x200+570+0 +repage -depth 8 txt:- | grep -m 1 "#$top" | cut -d, -f2 | cut -d: -f1 || true)
[ -n "$y0" ] || { echo "FAIL: the top Box is not on the page"; exit 1; }
x3=$(convert "$shot" -crop "700x1+0+$((y0 + 3))" +repage -depth 8 txt:- | grep -m 1 "#$top" | cut -d, -f1 || true)
[ -n "$x3" ] || { echo "FAIL: the top Box is not on the page"; exit 1; }
ox=$((x3 - 480)) oy=$y0

# Nominal cells: Box columns 150 wide with connector columns of 10; Box rows 40 high (the
# narrow row 20) with spacer rows of 8. Lines sit on the two middle pixel rows or columns.
X() { echo $((ox + 160 * $1)); }
Y() { case $1 in 0) echo "$oy" ;; 1) echo $((oy + 48)) ;; *) echo $((oy + 76 + 48 * ($1 - 2))) ;; esac; }
H() { [ "$1" -eq 1 ] && echo 20 || echo 40; }
LX() { echo $(($(X "$1") + 74)); }
LY() { echo $(($(Y "$1") + $(H "$1") / 2 - 1)); }

box() { # ROW COLUMN COLOUR WHAT: colour at two corners, text inside
  local x y h; x=$(X "$2") y=$(Y "$1") h=$(H "$1")
  want_colour $((x + 2)) $((y + 1)) "$3" "$4: colour"
  want_colour $((x + 147)) $((y + h - 2)) "$3" "$4: colour"
  want_ink $((x + 20)) $((y + 2)) 110 $((h - 4)) "$4: text"
}

box 0 3 "$top" "Managing Director"
box 1 0 7DC4F5 "title strip"
box 1 6 7DC4F5 "date in the title strip"
box 2 4 BFE3FC "Assistant"
box 4 1 E2EAF9 "Sales"
box 4 5 E2EAF9 "Finance"
want_colour $(($(X 3) + 2)) $(($(Y 4) + 1)) FFFFFF "empty Box (4, 3): white"

# The trunk from the top Box down through the narrow row and the first tee to the second.
want_line "$(LX 3)" $(($(Y 0) + 40)) 2 $(($(LY 3) + 2 - $(Y 0) - 40)) "trunk"
want_line "$(LX 3)" "$(LY 2)" $(($(X 4) - $(LX 3))) 2 "tee arm to the Assistant"
want_line "$(LX 1)" "$(LY 3)" $(($(LX 5) + 2 - $(LX 1))) 2 "branch from bend to bend"
want_line "$(LX 1)" "$(LY 3)" 2 $(($(Y 4) - $(LY 3))) "down to Sales"
want_line "$(LX 5)" "$(LY 3)" 2 $(($(Y 4) - $(LY 3))) "down to Finance"
want_blank $(($(X 3) + 5)) "$(LY 2)" 60 2 "left of the first tee"
want_blank $(($(X 1) + 5)) "$(LY 3)" 60 2 "left of the bend above Sales"
want_blank $(($(LX 5) + 4)) "$(LY 3)" 60 2 "right of the bend above Finance"
want_blank "$(LX 3)" $(($(Y 3) + 22)) 2 18 "below the second tee"
run_checks "$shot" || true

[ "$errors" -eq 0 ] || { echo "FAIL: $errors page checks failed"; exit 1; }
echo "page checks passed (table corner at $ox,$oy)"
