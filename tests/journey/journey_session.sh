#!/usr/bin/env bash
# Runs inside the X server started by journey.sh. Usage: journey_session.sh WORK ARTIFACTS
# WORK holds program/brondel, an empty charts/ and the xdg-open stub's log.
set -euo pipefail
work=$1
artifacts=$2
program=$work/program
charts=$work/charts
chart=$charts/org.kpv
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null || true' EXIT

fail() { echo "FAIL: $*"; exit 1; }
began=$(date +%s%N)
phase() { echo "[$((($(date +%s%N) - began) / 1000000)) ms] $*"; }

# --- Waiting, clicking, typing ---------------------------------------------------------
# A visible top-level window whose name matches the pattern, within 10 s.
window() { { timeout 10 xdotool search --sync --onlyvisible --name "$1" || true; } | head -n 1; }
gone() { # PATTERN: waits until no visible window matches
  for _ in $(seq 200); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.05
  done
  fail "window '$1' did not close"
}
file_appears() { # PATH
  for _ in $(seq 200); do [ -s "$1" ] && return 0; sleep 0.05; done
  fail "$1 was not written"
}
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep "${4:-0.1}"; }
type_text() { xdotool type --delay 15 "$1"; }

start_editor() {
  "$program/brondel" & pid=$!
  main=$(window '^Brondel 2004')
  [ -n "$main" ] || fail "the main window did not open"
  sleep 0.3
}

# Answers "Do you really want to exit?" with Yes and waits for the program to end.
exit_editor() {
  click "$main" 914 699 # "Exit Brondel"
  local question; question=$(window '^Question$')
  [ -n "$question" ] || fail "no exit question"
  xdotool windowfocus --sync "$question"
  xdotool key y
  local status=0
  for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  kill -0 "$pid" 2>/dev/null && fail "the editor did not end after Yes"
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || fail "the editor ended with status $status"
}

# Box editor ("Edit Field", client 444 x 110): the three line fields at x 111, the toggles
# Bold/Italic/Underline of line n at x 225/311/397, y 32/52/72; OK at (397, 95).
declare -A toggle_x=([b]=225 [i]=311 [u]=397)
line_y=(0 32 52 72)
# edit_box X Y LINE1 [LINE2 [LINE3]] -- STYLES: STYLES are line number + letter, like 1b 2i.
edit_box() {
  local x=$1 y=$2; shift 2
  click "$main" "$x" "$y"
  edit=$(window '^Edit Field$')
  [ -n "$edit" ] || fail "the box editor did not open for the Box at $x,$y"
  sleep 0.1
  local n=1
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    if [ -n "$1" ]; then click "$edit" 111 "${line_y[$n]}" 0.05 && type_text "$1"; fi
    n=$((n + 1)); shift
  done
  [ $# -gt 0 ] && shift
  for style in "$@"; do click "$edit" "${toggle_x[${style:1:1}]}" "${line_y[${style:0:1}]}" 0.05; done
}
ok_box() { click "$edit" 397 95 0.05; gone "^Edit Field$"; }

# --- Screenshot pixels -----------------------------------------------------------------
# shellcheck source=pixels.sh
source "$(dirname "$0")/pixels.sh"
# The chart on the main window: colours, texts, lines through the empty Boxes.
want_editor_chart() {
  want_colour 440 15 F4B942 "Managing Director: the colour picked in the dialog"
  want_colour 20 64 7DC4F5 "narrow-row title: the row's default colour"
  want_colour 860 64 7DC4F5 "narrow-row date: the row's default colour"
  want_colour 580 95 BFE3FC "Assistant: row 2's default colour"
  want_colour 160 195 E2EAF9 "Sales: the default colour of rows 3 to 13"
  want_colour 720 194 E2EAF9 "Finance: the default colour of rows 3 to 13"
  want_ink 450 13 90 32 "Managing Director: text"
  want_ink 20 62 100 16 "narrow-row title: text"
  want_ink 590 92 90 32 "Assistant: text"
  want_ink 170 193 90 34 "Sales: text"
  want_ink 730 192 90 34 "Finance: text"
  want_line 493 62 2 16 "line down through the narrow row"
  want_line 493 92 2 19 "line down into the tee"
  want_line 495 110 61 2 "tee: arm to the Assistant"
  want_line 493 142 2 17 "line down into the second tee"
  want_line 432 160 61 2 "second tee: left arm"
  want_line 495 160 61 2 "second tee: right arm"
  want_line 292 160 61 2 "run through an empty Box"
  want_line 213 161 2 17 "bend down to Sales"
  want_line 773 160 2 17 "bend down to Finance"
  want_blank 440 110 50 2 "no arm left of the first tee"
  want_blank 160 160 50 2 "nothing left of the bend"
}
# Takes the main window until it shows the chart (a busy machine may paint late), and keeps
# the last screenshot; after 5 s the checks that still fail are reported.
shoot_chart() { # FILE
  for _ in $(seq 25); do
    import -window "$main" "$1"
    want_editor_chart
    run_checks "$1" quiet && return 0
    sleep 0.2
  done
  want_editor_chart
  run_checks "$1" || true
}

# --- 1. A new chart ----------------------------------------------------------------------
cd "$work"
start_editor

# The top Box (row 0, column 3): a bold and an italic line on a colour from the colour dialog.
edit_box 494 29 "Managing Director" "A. Jansen" -- 1b 2i
click "$edit" 111 95 # "Change Background Color"
dialog=$(window '^Select Color$')
[ -n "$dialog" ] || fail "the colour dialog did not open"
xdotool windowfocus --sync "$dialog"
xdotool key --delay 30 alt+h ctrl+a
type_text "#f4b942"
xdotool key Return
gone '^Select Color$'
ok_box

# The narrow row as a title strip, then three Boxes below with styled lines.
edit_box 74 70 "ACME Ltd" -- 1b
ok_box
edit_box 914 70 "March 2024" -- 1i
ok_box
edit_box 634 109 "Assistant" "B. de Vries" -- 1b 2i
ok_box
edit_box 214 210 "Sales" "C. Peters" "12 staff" -- 1b 2i 3u
ok_box
edit_box 774 209 "Finance" "D. Smit" "5 staff" -- 1b 2i 3u
ok_box

# Connectors: down from the top Box through the narrow row into a tee at (2, 3) that feeds
# the Assistant, down into a second tee at (3, 3), and from there left and right through
# empty Boxes to bends above Sales and Finance.
for point in 494,54 494,84 564,110 494,134 424,160 564,160 284,160 214,184 704,160 775,184; do
  click "$main" "${point%,*}" "${point#*,}" 0.05
done
sleep 0.1
built=$artifacts/journey-1-chart-built.png
shoot_chart "$built"
phase "chart built"

# --- 2. Save through the file dialog: into the charts folder, a name without extension --
click "$main" 494 699 # "Save Chart"
dialog=$(window '^Save Chart\.\.\.$')
[ -n "$dialog" ] || fail "the save dialog did not open"
xdotool windowfocus --sync "$dialog"
type_text "$charts"
xdotool key Return # into that folder
sleep 0.3
xdotool key ctrl+a
type_text "org"
xdotool key Return
gone '^Save Chart\.\.\.$'
file_appears "$chart"
[ ! -e "$charts/org" ] || fail "a file without the extension was written"
lines=$(wc -l <"$chart")
[ "$lines" -eq 1066 ] || fail "$chart has $lines lines, expected 1066"
for line in "[KPVV10]" "Last Project Dir = $charts/" "L1-191 = Managing Director" \
  "L2-191 = A. Jansen" "S1-191 = 100" "S2-191 = 010" "C1-191 = 244" "C2-191 = 185" \
  "C3-191 = 66" "L1-195 = ACME Ltd" "L3-217 = 12 staff" "S3-217 = 001" "H-15 = 1" \
  "V-93 = 1" "V-116 = 1"; do
  grep -qxF "$line"$'\r' "$chart" || fail "$chart lacks the line '$line'"
done
[ "$(grep -c ' = 1'$'\r''$' <(sed -n '891,1066p' "$chart"))" -eq 10 ] ||
  fail "$chart does not hold exactly the 10 ticked Connectors"
phase "chart saved"

# --- 3. Exit; the settings file beside the program names the chart ----------------------
exit_editor
settings=$program/Brondel.ini
[ -f "$settings" ] || fail "no $settings after the exit"
expected=$(printf '[KPVV10]\r\n;Brondel file.\r\n[Common Settings]\r\nLast Project = %s\r\n.' "$chart")
[ "$(cat "$settings"; printf .)" = "$expected" ] || {
  cat -A "$settings"
  fail "$settings does not name $chart"
}

phase "editor ended; settings written"

# --- 4. Start again and load: the dialog opens in the chart's folder ---------------------
start_editor
click "$main" 354 699 # "Load Chart"
dialog=$(window '^Load Chart\.\.\.$')
[ -n "$dialog" ] || fail "the load dialog did not open"
sleep 0.3
import -window "$dialog" "$artifacts/journey-2-load-dialog.png"
# A bare name is taken in the dialog's folder; the program's folder is the current one, and
# it holds no chart, so only the chart's folder can give the load below.
xdotool windowfocus --sync "$dialog"
type_text "org.kpv"
xdotool key Return
gone '^Load Chart\.\.\.$'
title=
for _ in $(seq 100); do
  title=$(xdotool getwindowname "$main")
  [[ "$title" == *"  -  "* ]] && break
  sleep 0.05
done
[[ "$title" == *"  -  $chart" ]] || fail "window title after loading is '$title'"
sleep 0.1
loaded=$artifacts/journey-3-chart-loaded.png
shoot_chart "$loaded"
phase "chart loaded"
# The loaded chart looks as the built one did, but for focus marks.
differing=$(compare -metric AE "$built" "$loaded" null: 2>&1 || true)
echo "the loaded chart differs from the built one in $differing pixels (focus marks)"
[ "${differing%%.*}" -lt 400 ] 2>/dev/null ||
  { echo "loaded chart differs from the built one in $differing pixels"; errors=$((errors + 1)); }

# --- 5. Generate the page: written beside the chart and handed to xdg-open --------------
click "$main" 774 699 # "Generate Chart"
page=$charts/org.html
file_appears "$page"
file_appears "$work/xdg-open.log"
opened=$(cat "$work/xdg-open.log")
[ "$opened" = "file://$page" ] || fail "xdg-open was given '$opened', expected file://$page"
[ "$(wc -l <"$page")" -eq 442 ] || fail "$page does not have 442 lines"
[ -f "$charts/gfx/strek_middlehori_tom.gif" ] || fail "no connector images beside the page"
exit_editor
phase "page generated and handed to xdg-open"

[ "$errors" -eq 0 ] || fail "$errors screenshot checks failed"
echo "editor part passed"
