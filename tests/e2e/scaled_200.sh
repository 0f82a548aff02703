#!/usr/bin/env bash
# The installed editor on a screen scaled to 200 %, used as a person would: a Box edited in the
# box editor, a Connector ticked next to an empty Box, Exit and Yes. The screenshot (kept as
# ARTIFACTS/scaled-200.png) must show the Box's fill on exactly the doubled rectangle with
# sharp edges, its text drawn at the doubled size, and the stub 4 device pixels thick and
# solid black; the settings file is written beside the installed program.
# Usage: scaled_200.sh PREFIX ARTIFACTS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x11.sh"
if [ "$1" != --session ]; then
  for tool in xvfb-run xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  rm -f "$1/bin/Brondel.ini"
  mkdir -p "$2"
  exec xvfb-run -a -s '-screen 0 2400x1800x24' bash "$here/scaled_200.sh" --session "$1" \
    "$(cd "$2" && pwd)"
fi
prefix=$2 shot=$3/scaled-200.png scale=2
trap '[ -z "${pid:-}" ] || kill "$pid" 2>/dev/null || true' EXIT
start_editor "$prefix/bin/brondel" QT_SCALE_FACTOR=2
click "$main" 148 220 # Box 202, at 10,90 unscaled
edit=$(window '^Edit Field$')
click "$edit" 222 64
xdotool type --delay 15 Scaled
click "$edit" 794 190 # OK
gone '^Edit Field$'
click "$main" 288 220 # the Connector to the empty Box 203
shoot "$main" "$shot" 314 220 "#000000"
[ "$(identify -format %wx%h "$shot")" = 1978x1430 ] || fail "the window is not 1978 x 1430 pixels"
# Box 202's fill covers (11, 91) to (135, 127) unscaled: device pixels 22 to 271, 182 to 255.
fill="#BFE3FC"
check "$shot" 22 182 250 2 "=$fill" "the fill's top edge"
check "$shot" 22 254 250 2 "=$fill" "the fill's bottom edge"
check "$shot" 22 182 2 74 "=$fill" "the fill's left edge"
check "$shot" 270 182 2 74 "=$fill" "the fill's right edge"
check "$shot" 21 200 1 1 "!$fill" "left of the fill"
check "$shot" 22 181 1 1 "!$fill" "above the fill"
# One line of text starts 14 pixels below the Box's top, 9 pixels high (7 points at 96 dpi).
check "$shot" 22 184 250 22 "=$fill" "no text above its place"
check "$shot" 100 208 96 20 ink "the text at its doubled place"
check "$shot" 22 238 250 16 "=$fill" "no text below its doubled height"
# The stub in Box 203: unscaled rows 110 and 111 from x 152 to 212.
check "$shot" 304 220 122 4 line "the stub, 4 device pixels thick"
check "$shot" 304 220 1 1 "#000000" "the stub is solid black"
check "$shot" 304 219 122 1 blank "above the stub"
check "$shot" 304 224 122 1 blank "below the stub"
exit_editor
grep -q '^Last Project = ' "$prefix/bin/Brondel.ini" || fail "no settings file beside the program"
[ "$errors" -eq 0 ] || fail "$errors checks of $shot failed"
