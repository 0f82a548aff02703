#!/usr/bin/env bash
# The whole journey of a user, end to end: build an organisation chart in the editor under
# Xvfb, save it through the file dialog, exit, start again, load it, generate its page, and
# check that page in headless Chromium by its pixels. Screenshots are kept as artefacts.
# Usage: journey.sh EDITOR ARTIFACTS [BRONDEL_GENERATE]
set -euo pipefail
editor=$1
artifacts=$2
generate=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run xdotool import convert compare; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
chromium=$(command -v chromium || command -v chromium-browser || true)
[ -n "$chromium" ] || { echo "SKIP: chromium is not installed"; exit 77; }
mkdir -p "$artifacts"
artifacts=$(cd "$artifacts" && pwd)
rm -f "$artifacts"/journey-*.png
start=$(date +%s%N)

# Scratch: the program has a folder of its own (its settings file lands beside it), the chart
# another, and the desktop's "xdg-open" is a stub that only writes down what it was given.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/program" "$work/charts" "$work/stub"
cp "$editor" "$work/program/brondel"
cat >"$work/stub/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$*" >>"$work/xdg-open.log"
EOF
chmod +x "$work/stub/xdg-open"

(cd "$work" && PATH="$work/stub:$PATH" xvfb-run -a -s '-screen 0 1280x1024x24' \
  bash "$here/journey_session.sh" "$work" "$artifacts")

# The command-line generator makes the same page of the saved chart.
if [ -n "$generate" ]; then
  mkdir "$work/again"
  cp "$work/charts/org.kpv" "$work/again/"
  "$generate" "$work/again/org.kpv" >/dev/null
  cmp "$work/again/org.html" "$work/charts/org.html" ||
    { echo "FAIL: brondel-generate makes another page of the saved chart"; exit 1; }
fi

# The page, as a browser shows it.
page=$artifacts/journey-4-page.png
timeout -k 5 90 "$chromium" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync --hide-scrollbars \
  --user-data-dir="$work/profile" --screenshot="$page" --window-size=1200,400 \
  "file://$work/charts/org.html" >/dev/null 2>&1 || { echo "chromium failed"; exit 1; }
bash "$here/check_page.sh" "$page"
elapsed=$((($(date +%s%N) - start) / 1000000))
printf 'journey took %d.%03d s; screenshots in %s\n' $((elapsed / 1000)) $((elapsed % 1000)) "$artifacts"
