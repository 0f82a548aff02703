#!/usr/bin/env bash
# brondel-generate.exe under Wine writes every example chart's and golden case's page, SVG
# picture and single-file page byte for byte as the Linux build does, and names the same files
# on standard output (as Windows paths, lines ended by CR LF), also in a folder of a long path;
# the editor's --version and --help read as on Linux.
# Usage: same_as_linux.sh LINUX_GENERATE WINDOWS_GENERATE EXAMPLES CHART_FOLDER...
# (WINE, WINEPREFIX set; EXAMPLES holds organisation.kpv with its page)
set -euo pipefail
linux=$1 windows=$2 examples=$3
shift 2
[ -x "$linux" ] || { echo "skipped: no Linux build at $linux to compare with"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/linux" "$work/windows"
for folder in "$@"; do
  for chart in "$folder"/*.kpv; do cp "$chart" "$work/linux/$(basename "$folder")-$(basename "$chart")"; done
done
cp "$work"/linux/*.kpv "$work/windows/"
for options in "--svg --html" "--single-file"; do
  (cd "$work/linux" && "$linux" $options ./*.kpv | sed 's|^|Z:|; s|/linux/|/windows/|; s|/|\\|g; s|$|\r|' > ../expected.out)
  (cd "$work/windows" && $WINE "$windows" $options ./*.kpv > ../windows.out)
  cmp "$work/expected.out" "$work/windows.out"
  diff -r "$work/linux" "$work/windows"
  echo "$options: $(find "$work/windows" -type f ! -name "*.kpv" | wc -l) files compared"
done
# A chart in a folder whose path is longer than 260 characters: its page and images too.
long="$work/long/$(printf 'l%.0s' {1..120})/$(printf 'm%.0s' {1..120})"
mkdir -p "$long" && cp "$examples/organisation.kpv" "$long/org.kpv"
$WINE "$windows" "Z:$(echo "$long/org.kpv" | tr / '\\')" > /dev/null # Wine starts in no such folder
cmp "$long/org.html" "$examples/organisation.html"
[ "$(ls "$long/gfx" | wc -l)" = 34 ] || { echo "images missing beside a long path"; exit 1; }
echo "a page in a folder of ${#long} characters"
# The editor answers --version and --help as on Linux (Qt's own options left out), on standard
# output where there is one.
editor=$(dirname "$windows")/brondel.exe
if [ -x "$editor" ]; then
  for option in --version --help; do
    diff <("$(dirname "$linux")/brondel" $option | grep -v -e "Qt's own options" -e '^$') \
      <($WINE "$editor" $option | tr -d '\r' | grep -v -e "Qt's own options" -e '^$')
  done
  echo "brondel.exe --version and --help as on Linux"
fi
