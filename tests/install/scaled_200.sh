#!/usr/bin/env bash
# The installed editor on a screen scaled to 200 %, used as a person would: a Box edited through
# the box editor, a Connector ticked next to an empty Box, then Exit and Yes. The screenshot
# (kept as ARTIFACTS/scaled-200.png) must show the Box's fill on exactly the doubled rectangle
# with sharp edges and the line stub 4 device pixels thick and solid black; the settings file
# is written beside the installed program. Usage: scaled_200.sh PREFIX ARTIFACTS
set -euo pipefail
prefix=$1
artifacts=$2
mkdir -p "$artifacts"
for tool in xvfb-run xdotool import; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
rm -f "$prefix/bin/Brondel.ini"
xvfb-run -a -s '-screen 0 2400x1800x24' bash "$(dirname "$0")/scaled_200_session.sh" \
  "$prefix" "$artifacts"
