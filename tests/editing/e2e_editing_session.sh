#!/usr/bin/env bash
# Runs inside the X server started by e2e_editing.sh. Usage: e2e_editing_session.sh WORK ARTIFACTS
set -euo pipefail
work=$1
artifacts=$2
"$work/brondel" & pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

main=$(xdotool search --sync --onlyvisible --name "Brondel 2004" | head -n 1)
settle() { sleep 0.3; }
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; settle; }
pixel() { convert "$artifacts/$1" -crop "1x1+$2+$3" -depth 8 txt:- | tail -n 1 | grep -o '#[0-9A-F]\{6\}'; }
# shot FILE [X Y COLOUR]: takes the main window; given a pixel that the step must paint, takes
# it again until that pixel shows (five seconds at most), for machines that paint late.
shot() {
  for _ in $(seq 25); do
    import -window "$main" "$artifacts/$1"
    [ $# -lt 4 ] || [ "$(pixel "$1" "$2" "$3")" = "$4" ] && return 0
    sleep 0.2
  done
}
fail=0
expect() { # FILE X Y COLOUR WHAT
  local value; value=$(pixel "$1" "$2" "$3")
  if [ "$value" != "$4" ]; then echo "$5: pixel $2,$3 of $1 is $value, expected $4"; fail=1; fi
}
expect_not() { # FILE X Y COLOUR WHAT
  local value; value=$(pixel "$1" "$2" "$3")
  if [ "$value" = "$4" ]; then echo "$5: pixel $2,$3 of $1 is $value"; fail=1; fi
}
settle

# Box 202 (row 2, column 0) opens the box editor.
click "$main" 74 110
edit=$(xdotool search --sync --onlyvisible --name "Edit Field" | head -n 1)
settle
click "$edit" 111 32 && xdotool type --delay 20 "Alpha"
click "$edit" 111 52 && xdotool type --delay 20 "Beta"
click "$edit" 111 72 && xdotool type --delay 20 "Gamma"
click "$edit" 225 52 # "Make Bold" of line 2
import -window "$edit" "$artifacts/editing-1-box-editor.png"

# "Change Background Color": pick an orange through the dialog's HTML field.
click "$edit" 111 95
dialog=$(xdotool search --sync --onlyvisible --name "Select Color" | head -n 1)
settle
import -window "$dialog" "$artifacts/editing-2-colour-dialog.png"
xdotool windowfocus --sync "$dialog"
xdotool key --delay 30 alt+h ctrl+a
xdotool type --delay 20 "#ff8000"
xdotool key Return
settle
if xdotool search --onlyvisible --name "Select Color" >/dev/null 2>&1; then
  echo "the colour dialog did not close"; fail=1
fi
click "$edit" 397 95 # OK
if xdotool search --onlyvisible --name "Edit Field" >/dev/null 2>&1; then
  echo "the box editor did not close"; fail=1
fi
shot editing-3-box-edited.png 15 95 "#FF8000"
expect editing-3-box-edited.png 15 95 "#FF8000" "Box 202 filled with the picked colour"

# Connectors 12 and 13 run right through the empty Box 203 into Box 204; Connector 104 goes
# down into Box 209.
click "$main" 144 111
click "$main" 284 110
click "$main" 73 134
shot editing-4-connectors.png 73 142 "#000000"
black="#000000"
for x in 152 212 215 275; do
  expect editing-4-connectors.png "$x" 110 "$black" "line through Box 203"
  expect editing-4-connectors.png "$x" 111 "$black" "line through Box 203"
done
expect editing-4-connectors.png 292 110 "$black" "stub in Box 204"
expect editing-4-connectors.png 352 111 "$black" "stub in Box 204"
expect_not editing-4-connectors.png 213 110 "$black" "gap for check box 13"
expect editing-4-connectors.png 73 142 "$black" "stub down into Box 209"
expect editing-4-connectors.png 74 160 "$black" "stub down into Box 209"
expect_not editing-4-connectors.png 80 110 "$black" "no stub in Box 202, which holds text"

# F1, then Box 202 and Box 210 (row 3, column 1): their contents change places.
xdotool windowfocus --sync "$main"
xdotool key F1
settle
shot editing-5-swap-on.png
click "$main" 74 110
click "$main" 214 160
shot editing-6-swapped.png 155 145 "#FF8000"
expect editing-6-swapped.png 155 145 "#FF8000" "Box 210 holds the edited contents"
expect_not editing-6-swapped.png 15 95 "#FF8000" "Box 202 lost its colour"
expect editing-6-swapped.png 80 110 "$black" "Box 202 is empty now: Connector 12 runs into it"
expect editing-6-swapped.png 135 111 "$black" "Box 202 is empty now: Connector 12 runs into it"
expect editing-6-swapped.png 73 120 "$black" "Box 202 is empty now: Connector 104 runs into it"

kill $pid
wait $pid 2>/dev/null || true
echo "screenshots kept in $artifacts"
exit $fail
