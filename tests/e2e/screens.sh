#!/usr/bin/env bash
# The editor on common screens and scales (screens.txt: screen, requested and expected percent,
# the desktop's settings), each in its own Xvfb of that size. The main window and a title bar and
# a panel (72 pixels) fit the screen, drawn at the requested scale or at the largest whole
# percentage that fits (never under 100 %), and a click on "Exit Brondel" asks its question.
# Where the scale was lowered, under a dark desktop theme: "Edit Field" opens at the same scale,
# the Box text typed there is dark, and a ticked Connector's stub covers whole device pixels,
# black on the light face with nothing shaded beside it. Usage: screens.sh EDITOR ARTIFACTS
set -euo pipefail
if [ "${1:-}" != --session ]; then
  for t in Xvfb xauth xwininfo; do command -v $t >/dev/null || { echo "SKIP: no $t"; exit 77; }; done
  export editor=$1 artifacts=$2 && mkdir -p "$2"
  while read -r screen requested percent settings; do # the first setup that fails ends the test
    "$(dirname "$0")/../../scripts/with-xvfb" -s "-screen 0 ${screen}x24" "$0" --session $screen $requested $percent "$settings"
  done <"$(dirname "$0")/screens.txt"
  exit 0
fi

screen=$2 requested=$3 percent=$4
# The screen is named by Qt's own option alone, which a start at a lowered scale must see too
# (a GTK theme opens $DISPLAY itself, so it keeps it).
# shellcheck disable=SC2086,SC2046 # the settings are words of their own
env -u QT_QPA_PLATFORM -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS $([[ $5 == *THEME* ]] ||
  echo -u DISPLAY) $5 "$editor" -display "$DISPLAY" & pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
problem() { echo "$screen at $requested %: $*"; exit 1; }
find_window() { timeout 10 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
size_of() { xwininfo -id "$1" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}'; }
at() { echo $(($1 * percent / 100)); } # unscaled pixels to device pixels
click() { xdotool mousemove --window "$1" "$(at "$2")" "$(at "$3")" click 1; }
near() { [ $(($1 - $(at "$2"))) -ge -1 ] && [ $(($1 - $(at "$2"))) -le 1 ]; }

main=$(find_window "Brondel 2004") && sleep 0.3 || problem "no main window"
read -r width height <<<"$(size_of "$main")"
echo "$screen at $requested %: the main window is ${width}x$height"
fits=$((height + 72 <= ${screen#*x} && width <= ${screen%x*}))
[ $fits = 1 ] || [ "$percent" = 100 ] || problem "the main window does not fit"
near "$width" 989 && near "$height" 715 || problem "the main window is not at $percent %"
if [ "$percent" -lt "$requested" ]; then
  click "$main" 74 110 # Box 202
  edit=$(find_window "Edit Field") && sleep 0.3 || problem "no box editor"
  read -r width height <<<"$(size_of "$edit")"
  near "$width" 444 && near "$height" 110 || problem "Edit Field is ${width}x$height"
  xdotool type "Sales" && click "$edit" 397 95 # OK
  click "$main" 144 110 # Connector 12: a stub across Box 203, unscaled rows 110 and 111
  sleep 0.5 && shot="$artifacts/screens-$screen-$percent.png" && import -window "$main" "$shot"
  column=$(convert "$shot" -crop "1x30+$(at 180)+$(at 100)" -depth 8 txt:- |
    grep -o '#[0-9A-F]\{6\}' | uniq -c | awk '{printf "%s%s ", $1, $2}')
  [[ "$column" =~ ^[0-9]+#EFEFEF\ [0-9]+#000000\ [0-9]+#EFEFEF\ $ ]] || problem "stub: $column"
  box="$(at 128)x$(at 40)+$(at 10)+$(at 90)"
  [ "$(convert "$shot" -crop "$box" -format '%[fx:minima.intensity < 0.5]' info:)" = 1 ] ||
    problem "Box 202 shows no dark text"
fi
click "$main" 914 699 # Exit Brondel
find_window '^Question$' >/dev/null || problem "Exit Brondel asked nothing"
