#!/usr/bin/env bash
# Remakes the README's pictures in docs/images: the editor with the example organisation
# chart loaded (through the real file dialog, under Xvfb), its box editor, and the example
# pages as headless Chromium shows them. Not a test; run it after the editor or the pages
# change. Usage: tools/readme-images.sh EDITOR
set -euo pipefail

# Inside the X server (this script again, with --session WORK REPO IMAGES).
session() {
  local work=$1 repo=$2 images=$3 main dialog edit
  "$work/brondel" & pid=$!
  trap 'kill "${pid:-}" 2>/dev/null || true' EXIT
  main=$(timeout 10 xdotool search --sync --onlyvisible --name '^Brondel 2004' | head -n 1)
  sleep 0.3
  xdotool mousemove --window "$main" 354 699 click 1 # "Load Chart"
  dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Load Chart' | head -n 1)
  xdotool windowfocus --sync "$dialog"
  xdotool type --delay 10 "$repo/examples/organisation.kpv"
  xdotool key Return
  for _ in $(seq 100); do
    [[ "$(xdotool getwindowname "$main")" == *"  -  "* ]] && break
    sleep 0.05
  done
  sleep 0.5
  import -window "$main" "$images/editor-organisation.png"
  xdotool mousemove --window "$main" 354 109 click 1 # the Box "Legal & Compliance"
  edit=$(timeout 10 xdotool search --sync --onlyvisible --name '^Edit Field$' | head -n 1)
  sleep 0.5
  import -window "$edit" "$images/box-editor.png"
  xdotool mousemove --window "$edit" 311 95 click 1 # Cancel
  sleep 0.3
  xdotool mousemove --window "$main" 914 699 click 1 # "Exit Brondel"
  dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Question$' | head -n 1)
  xdotool windowfocus --sync "$dialog"
  xdotool key y
  wait "$pid"
}
if [ "${1:-}" = --session ]; then
  shift
  session "$@"
  exit
fi

editor=$(realpath "$1")
repo=$(cd "$(dirname "$0")/.." && pwd)
images=$repo/docs/images
mkdir -p "$images"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$editor" "$work/brondel"
(cd "$work" && "$repo/scripts/with-xvfb" \
  bash "$repo/tools/readme-images.sh" --session "$work" "$repo" "$images")

# The pages: the table is 1110 pixels wide inside the page's margin of 8.
page() { # NAME HEIGHT
  chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync --hide-scrollbars \
    --user-data-dir="$work/profile" --screenshot="$work/$1.png" --window-size="1126,$2" \
    "file://$repo/examples/$1.html" >/dev/null 2>&1
  cp "$work/$1.png" "$images/page-$1.png"
}
page organisation 324
page flow 372
for image in "$images"/*.png; do
  convert "$image" -strip "$image"
  echo "$image: $(identify -format '%wx%h' "$image"), $(($(stat -c %s "$image") / 1024)) KB"
done
