#!/usr/bin/env bash
# brondel.exe under Wine and Xvfb, driven as a person would (xdotool). First the example chart
# as the Linux editor shows it at 100 %: every Box, check box, button, fill, stub and line at
# the same pixels, with the text masked where the two text renderers differ. Then a journey:
# edit a Box, tick a Connector, save with Ctrl+S through the real file dialog, load it again
# with Ctrl+O, generate the page with Ctrl+G, exit with the question answered; the settings
# file beside brondel.exe then names the chart. Screenshots are kept in ARTIFACTS.
# Usage: journey.sh LINUX_BRONDEL LINUX_GENERATE WINDOWS_BRONDEL EXAMPLES ARTIFACTS
# (WINE, WINEPREFIX set)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/x11.sh"
if [ "$1" != --session ]; then
  for tool in Xvfb xauth xdotool import compare convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  [ -x "$1" ] || { echo "SKIP: no Linux editor at $1 to compare with"; exit 77; }
  mkdir -p "$5" && work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
  mkdir "$work/charts" "$work/bin" "$work/linux" "$work/host"
  # The editor keeps its settings beside itself: both run from the scratch folder.
  cp "$1" "$work/linux/" && cp "$3" "$work/bin/brondel.exe"
  cp "$4/organisation.kpv" "$work/charts/example.kpv"
  # Wine opens a page with the host's opener, here a stub that writes down what it was given.
  printf '#!/bin/sh\necho "$*" >>%s/opened\n' "$work" >"$work/host/xdg-open" && chmod +x "$work/host/xdg-open"
  PATH="$work/host:$PATH" "$here/../../scripts/with-xvfb" \
    bash "$here/journey.sh" --session "$work" "$(realpath "$5")"
  # The page Ctrl+G wrote is the one the Linux generator writes of the saved chart.
  mkdir "$work/again" && cp "$work/charts/org.kpv" "$work/again/" && "$2" "$work/again/org.kpv" >/dev/null
  cmp "$work/again/org.html" "$work/charts/org.html" || fail "the Windows editor wrote another page"
  exit 0
fi
work=$2 artifacts=$3 charts=$2/charts
# A Wine server left from another display would open the windows there: this run has its own.
wineserver -k 2>/dev/null || true
trap '[ -z "${pid:-}" ] || kill "$pid" 2>/dev/null || true; wineserver -k 2>/dev/null || true' EXIT
winpath() { echo "Z:$1" | tr / '\\'; }
launch() { # PROGRAM ARGUMENT...
  "$@" & pid=$!
  main=$(window '^Brondel 2004') && [ -n "$main" ] || fail "the main window did not open"
}

# The parts where text is drawn: every Box holding text (from the chart file), 2 pixels in from
# its sides, from 1 above it (Tahoma's first line reaches over the edge on Windows) to 2 above
# its bottom, and the faces of the buttons and the swap indicator
# (whose sunken edge Wine draws in its own greys), as ImageMagick draw commands.
text_areas() {
  tr -d '\r' <"$1" | awk -F ' = ' '/^L[123]-[0-9]+ = ./ { split($1, k, "-"); box[k[2]] = 1 }
    function top(row, column) { return row == 1 ? 60 : row == 0 ? 9 - (column >= 4) : 90 + 50 * (row - 2) - (column >= 4) }
    END {
      for (b in box) {
        row = int((b - 188) / 7); column = (b - 188) % 7; x = 10 + 140 * column; y = top(row, column)
        printf "rectangle %d,%d %d,%d ", x + 2, y - 1, x + 125, y + (row == 1 ? 18 : 38)
      }
      printf "rectangle 10,690 72,708 "
      n = split("78 60 150 128 290 128 430 128 570 128 710 128 850 128", bar, " ")
      for (i = 1; i < n; i += 2) printf "rectangle %d,693 %d,705 ", bar[i] + 3, bar[i] + bar[i + 1] - 4
    }'
}
masked() { convert "$1" -fill magenta -draw "$(text_areas "$2")" "$3"; }

# ---- The example chart beside the Linux editor's --------------------------------------------
launch "$work/linux/brondel" "$charts/example.kpv"
sleep 0.5 && import -window "$main" "$artifacts/windows-linux-main.png" && kill "$pid" && wait "$pid" || true
masked "$artifacts/windows-linux-main.png" "$charts/example.kpv" "$work/linux.png"
launch "$WINE" "$work/bin/brondel.exe" "$(winpath "$charts/example.kpv")"
for _ in $(seq 50); do # Wine paints a while after the window shows
  import -window "$main" "$artifacts/windows-main.png" && masked "$artifacts/windows-main.png" "$charts/example.kpv" "$work/windows.png"
  differing=$(compare -metric AE "$work/linux.png" "$work/windows.png" "$artifacts/windows-main-difference.png" 2>&1 || true)
  [ "$differing" = 0 ] && break
  sleep 0.2
done
[ "$differing" = 0 ] || fail "$differing pixels outside the text differ from the Linux editor's (windows-main-difference.png)"
click "$main" 494 29 && edit=$(window '^Edit Field$') && [ -n "$edit" ] || fail "no box editor"
sleep 0.5 && import -window "$edit" "$artifacts/windows-box-editor.png"
click "$edit" 313 95 && gone '^Edit Field$' # Cancel
kill "$pid" && wait "$pid" || true

# ---- The journey -----------------------------------------------------------------------------
file_dialog() { # TITLE TEXT: types the text into the dialog's name field, then Return
  local dialog
  dialog=$(window "^$1\.\.\.$") && [ -n "$dialog" ] || fail "no dialog '$1...'"
  sleep 0.5 && xdotool windowfocus --sync "$dialog" key alt+n ctrl+a type --delay 15 "$2"
  import -window "$dialog" "$artifacts/windows-dialog.png" && xdotool key Return && gone "^$1"
}
launch "$WINE" "$work/bin/brondel.exe"
click "$main" 494 29 && edit=$(window '^Edit Field$') && [ -n "$edit" ] || fail "no box editor"
click "$edit" 111 32 && xdotool type --delay 15 "Director" && click "$edit" 225 32 # Make Bold
click "$edit" 397 95 && gone '^Edit Field$'                                        # OK
click "$main" 494 54                                                                # the Connector below
xdotool windowfocus --sync "$main" key ctrl+s && file_dialog "Save Chart" "$(winpath "$charts/org")"
for _ in $(seq 50); do [ -s "$charts/org.kpv" ] && break; sleep 0.1; done
sed 's|^Last Project Dir = [^\r]*|Last Project Dir = CHARTS|' "$charts/org.kpv" | tee "$artifacts/windows-journey.kpv" | cmp - "$here/data/journey.kpv" ||
  fail "saved another chart file"
xdotool windowfocus --sync "$main" key ctrl+n && question=$(window '^Question$') && [ -n "$question" ] || fail "no question before New Chart"
xdotool windowfocus --sync "$question" key y && gone '^Question$'
xdotool windowfocus --sync "$main" key ctrl+o && file_dialog "Load Chart" "$(winpath "$charts/org.kpv")"
for _ in $(seq 100); do [[ "$(xdotool getwindowname "$main")" == *"  -  $(winpath "$charts/org.kpv")" ]] && break; sleep 0.05; done
[[ "$(xdotool getwindowname "$main")" == *"  -  $(winpath "$charts/org.kpv")" ]] ||
  fail "the title does not name the chart: $(xdotool getwindowname "$main")"
shoot "$main" "$artifacts/windows-journey-loaded.png" "$here/data/journey.checks"
xdotool windowfocus --sync "$main" key ctrl+g
for _ in $(seq 100); do [ -s "$work/opened" ] && break; sleep 0.1; done
[ -s "$charts/org.html" ] || fail "no page was written"
grep -q "org.html" "$work/opened" 2>/dev/null || fail "the page was not opened"
exit_editor
[ "$errors" -eq 0 ] || fail "$errors screenshot checks failed"
printf '[KPVV10]\r\n;Brondel file.\r\n[Common Settings]\r\nLast Project = %s\r\n' "$(winpath "$charts/org.kpv")" |
  cmp - "$work/bin/Brondel.ini" || fail "the settings file beside brondel.exe does not name the chart"
