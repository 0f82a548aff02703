#!/usr/bin/env bash
# brondel-generate.exe under Wine writes every example chart's and golden case's page, SVG
# picture and single-file page byte for byte as the Linux build does, and names the same files
# on standard output (as Windows paths, lines ended by CR LF).
# Usage: same_as_linux.sh LINUX_GENERATE WINDOWS_GENERATE CHART_FOLDER...   (WINE, WINEPREFIX set)
set -euo pipefail
linux=$1 windows=$2
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
