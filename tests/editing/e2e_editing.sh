#!/usr/bin/env bash
# The editor under Xvfb, used as a person would with xdotool: edit a Box (three lines, one of
# them bold, a colour from the colour dialog, OK), tick Connectors that route a line through
# empty Boxes, then F1 and swap two Boxes. Screenshots are kept as test artefacts and checked
# by their pixels.
set -euo pipefail
editor=$1
artifacts=$2
mkdir -p "$artifacts"
for tool in xvfb-run xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

# A private copy of the program, so that its settings file lands in a scratch folder.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$editor" "$work/brondel"

xvfb-run -a -s '-screen 0 1280x1024x24' bash "$(dirname "$0")/e2e_editing_session.sh" \
  "$work" "$artifacts"
