#!/usr/bin/env bash
# The editor on common screens and scales, each in its own Xvfb of that size: the main window
# and a title bar and a panel (72 pixels) fit the screen, drawn at the requested scale or at the
# largest whole percentage that fits (never under 100 %), and a click on "Exit Brondel" asks its
# question. Where the scale was lowered, "Edit Field" opens at the same scale and a ticked
# Connector's stub covers whole device pixels: black on the face, nothing shaded beside it.
# Usage: screens.sh EDITOR ARTIFACTS
set -euo pipefail
if [ "${1:-}" != --session ]; then
  for tool in xvfb-run xdotool xwininfo import; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  mkdir -p "$2"
  work=$(mktemp -d) # a private copy, so that no settings file lands beside the build
  trap 'rm -rf "$work"' EXIT
  cp "$1" "$work/brondel"
  fail=0
  while read -r screen setting percent; do
    xvfb-run -a -s "-screen 0 ${screen}x24" "$0" --session "$work/brondel" "$2" "$screen" \
      "$setting" "$percent" || fail=1
  done <"$(dirname "$0")/screens.txt"
  exit $fail
fi

editor=$2 artifacts=$3 screen=$4 setting=$5 percent=$6
env -u QT_QPA_PLATFORM -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS "$setting" "$editor" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
problem() { echo "$screen $setting: $*"; exit 1; }
find_window() { timeout 10 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
size_of() { xwininfo -id "$1" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}'; }
# Clicks at a point given in the window's unscaled pixels.
click() { xdotool mousemove --window "$1" $(($2 * percent / 100)) $(($3 * percent / 100)) click 1; }
near() { [ $(($1 - $2 * percent / 100)) -ge -1 ] && [ $(($1 - $2 * percent / 100)) -le 1 ]; }

main=$(find_window "Brondel 2004") || problem "no main window"
sleep 0.3
read -r width height <<<"$(size_of "$main")"
[ $((height + 72)) -le "${screen#*x}" ] && [ "$width" -le "${screen%x*}" ] || [ "$percent" = 100 ] ||
  problem "the main window is ${width}x$height"
near "$width" 989 && near "$height" 715 || problem "the main window is ${width}x$height, not at $percent %"
echo "$screen $setting: the main window is ${width}x$height"

if [ "$percent" -lt "$(awk -v f="${setting#*=}" 'BEGIN {printf "%d", f * 100 + 0.5}')" ]; then
  click "$main" 74 110 # Box 202
  edit=$(find_window "Edit Field") || problem "no box editor"
  read -r width height <<<"$(size_of "$edit")"
  near "$width" 444 && near "$height" 110 || problem "Edit Field is ${width}x$height"
  click "$edit" 397 95 # OK
  click "$main" 144 110 # Connector 12: a stub across Box 203, unscaled rows 110 and 111
  sleep 0.5
  shot="$artifacts/screens-$screen-$percent.png"
  import -window "$main" "$shot"
  column=$(convert "$shot" -crop "1x30+$((180 * percent / 100))+$((100 * percent / 100))" \
    -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | uniq -c | awk '{printf "%s%s ", $1, $2}')
  [[ "$column" =~ ^[0-9]+#EFEFEF\ [0-9]+#000000\ [0-9]+#EFEFEF\ $ ]] ||
    problem "across the stub, top to bottom: $column"
fi

click "$main" 914 699 # Exit Brondel
find_window '^Question$' >/dev/null || problem "Exit Brondel asked nothing"
