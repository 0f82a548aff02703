#!/usr/bin/env bash
# Starts the editor under Xvfb, takes a screenshot of the main window and checks by its
# pixels that the grid, the check boxes and the command bar stand where they belong.
set -euo pipefail
editor=$1
artifacts=$2
mkdir -p "$artifacts"
command -v xvfb-run >/dev/null || { echo "SKIP: xvfb-run is not installed"; exit 77; }

# A private copy of the program, so that its settings file lands in a scratch folder.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$editor" "$work/brondel"
shot="$artifacts/main-window.png"

xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
  set -euo pipefail
  "$1/brondel" & pid=$!
  trap "kill $pid 2>/dev/null || true" EXIT
  window=$(xdotool search --sync --onlyvisible --name "Brondel 2004" | head -n 1)
  sleep 0.5
  import -window "$window" "$2"
' _ "$work" "$shot"

pixel() { convert "$shot" -crop "1x1+$1+$2" -depth 8 txt:- | tail -n 1 | grep -o '#[0-9A-F]\{6\}'; }
size=$(identify -format '%wx%h' "$shot")
[ "$size" = "989x715" ] || { echo "main window client is $size, expected 989x715"; exit 1; }

# The window background is the button face; a box button's face differs from it only at its
# border, so sample the border lines of a Box and of the command bar.
background=$(pixel 5 5)
fail=0
expect_not_background() {
  local value; value=$(pixel "$1" "$2")
  if [ "$value" = "$background" ]; then echo "nothing drawn at $1,$2 ($3)"; fail=1; fi
}
expect_not_background 10 28 "left edge of Box 188"
expect_not_background 137 28 "right edge of Box 188"
expect_not_background 10 70 "left edge of narrow-row Box 195"
expect_not_background 78 699 "About button"
expect_not_background 977 699 "Exit button"
expect_not_background 10 699 "swap indicator edge"
echo "screenshot kept at $shot"
exit $fail
