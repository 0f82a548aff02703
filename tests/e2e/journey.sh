#!/usr/bin/env bash
# The journey of a user with the installed programs, on a screen scaled to 200 %: build a chart
# in the editor under Xvfb (box editor, colour dialog, connectors, swap mode), save it through
# the file dialog, exit, start again, load it, generate its page; then the page in headless
# Chromium. Screenshots, kept in ARTIFACTS, are checked by their pixels: colours, text, and
# lines 4 device pixels thick with sharp edges. Usage: journey.sh PREFIX ARTIFACTS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x11.sh"
if [ "$1" != --session ]; then
  for tool in Xvfb xauth xdotool import convert compare chromium; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  mkdir -p "$2" && work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT && mkdir "$work/charts" "$work/bin" "$work/again"
  # The desktop's opener is a stub that writes down what it was given.
  printf '#!/bin/sh\necho "$*" >>%s/opened\n' "$work" >"$work/bin/xdg-open" && chmod +x "$work/bin/xdg-open"
  rm -f "$1/bin/Brondel.ini"
  PATH="$work/bin:$PATH" "$here/../../scripts/with-xvfb" -s '-screen 0 2400x1800x24' \
    bash "$here/journey.sh" --session "$(realpath "$1")" "$(realpath "$2")" "$work"
  cp "$work/charts/org.kpv" "$work/again/" && "$1/bin/brondel-generate" "$work/again/org.kpv" >/dev/null
  cmp "$work/again/org.html" "$work/charts/org.html" || fail "brondel-generate makes another page"
  exec bash "$here/page.sh" "$work/charts/org.html" "$2/journey-3-page.png" journey
fi
prefix=$2 artifacts=$3 charts=$4/charts opened=$4/opened scale=2
trap '[ -z "${pid:-}" ] || kill "$pid" 2>/dev/null || true' EXIT

# edit_box X Y LINE... -- STYLES: opens the Box at X,Y, types its lines and clicks the style
# toggles, each a line number and b, i or u, then OK; a colour, if given, goes in before OK.
edit_box() {
  local n=0 x=$1 y=$2 && shift 2
  click "$main" "$x" "$y" && edit=$(window '^Edit Field$')
  [ -n "$edit" ] || fail "no box editor for the Box at $x,$y"
  for line; do
    shift && [ "$line" = -- ] && break
    click "$edit" 111 $((32 + 20 * n++)) 0.05 && xdotool type --delay 15 "$line"
  done
  for style; do
    case ${style:1} in b) x=225 ;; i) x=311 ;; u) x=397 ;; esac
    click "$edit" "$x" $((12 + 20 * ${style:0:1})) 0.05
  done
  if [ -n "${colour:-}" ]; then # typed into the colour dialog's HTML field
    click "$edit" 111 95 && dialog=$(window '^Select Color$')
    xdotool windowfocus --sync "$dialog" key --delay 30 alt+h ctrl+a type --delay 15 "$colour"
    xdotool key Return && gone '^Select Color$'
  fi
  click "$edit" 397 95 0.05 && gone '^Edit Field$'
}
file_dialog() { # TITLE TEXT...: types each text into the dialog, each followed by Return
  local dialog
  dialog=$(window "^$1\.\.\.$") && sleep 0.3 && import -window "$dialog" "$artifacts/journey-dialog.png"
  for text in "${@:2}"; do
    xdotool windowfocus --sync "$dialog" key ctrl+a type --delay 15 "$text"
    xdotool key Return && sleep 0.3
  done
  gone "^$1"
}

start_editor "$prefix/bin/brondel" QT_SCALE_FACTOR=2
colour="#f4b942" edit_box 494 29 "Managing Director" "A. Jansen" -- 1b 2i
edit_box 74 70 "ACME Ltd" -- 1b
edit_box 914 70 "March 2024" -- 1i
edit_box 634 109 "Assistant" "B. de Vries" -- 1b 2i
edit_box 214 210 "Sales" "C. Peters" "12 staff" -- 1b 2i 3u
# Finance lands a row too low and is swapped into place (F1, then both Boxes).
edit_box 774 259 "Finance" "D. Smit" "5 staff" -- 1b 2i 3u
xdotool windowfocus --sync "$main" key F1 && click "$main" 774 259 && click "$main" 774 209
# Down from the top Box through the narrow row into a tee at (2, 3) that feeds the Assistant,
# down into a second tee at (3, 3), and left and right through empty Boxes to bends above Sales
# and Finance.
for point in 494,54 494,84 564,110 494,134 424,160 564,160 284,160 214,184 704,160 775,184; do
  click "$main" "${point%,*}" "${point#*,}" 0.05
done
shoot "$main" "$artifacts/journey-1-chart-built.png" "$here/data/journey_editor.checks"

click "$main" 494 699 && file_dialog "Save Chart" "$charts/org" # a whole path, the name without extension
# data/journey.kpv is the chart file this journey saves, with its folder written as CHARTS/.
sed "s|$charts/|CHARTS/|" "$charts/org.kpv" | cmp - "$here/data/journey.kpv" || fail "saved another chart file"
exit_editor
printf '[KPVV10]\r\n;Brondel file.\r\n[Common Settings]\r\nLast Project = %s\r\n' "$charts/org.kpv" |
  cmp - "$prefix/bin/Brondel.ini" || fail "the settings file beside the program does not name the chart"

# Started again, the load dialog opens in the chart's folder: a bare name is enough there.
start_editor "$prefix/bin/brondel" QT_SCALE_FACTOR=2
click "$main" 354 699 && file_dialog "Load Chart" org.kpv
for _ in $(seq 100); do [[ "$(xdotool getwindowname "$main")" == *"  -  $charts/org.kpv" ]] && break; sleep 0.05; done
[[ "$(xdotool getwindowname "$main")" == *"  -  $charts/org.kpv" ]] || fail "the title does not name the chart"
shoot "$main" "$artifacts/journey-2-chart-loaded.png" "$here/data/journey_editor.checks"
click "$main" 774 699 # "Generate Chart"
for _ in $(seq 100); do [ -s "$opened" ] && break; sleep 0.05; done
[ "$(cat "$opened" 2>/dev/null)" = "file://$charts/org.html" ] || fail "the page was not opened"
exit_editor
[ "$errors" -eq 0 ] || fail "$errors screenshot checks failed"
