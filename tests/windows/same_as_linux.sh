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
mkdir "$work/charts"
for folder in "$@"; do
  for chart in "$folder"/*.kpv; do cp "$chart" "$work/charts/$(basename "$folder")-$(basename "$chart")"; done
done
cd "$work/charts"
failed=0
for options in "--svg --html" "--single-file"; do
  "$linux" $options ./*.kpv > "$work/linux.out"
  mkdir -p "$work/linux" && mv ./*.html ./*.svg gfx "$work/linux/" 2>/dev/null || true
  $WINE "$windows" $options ./*.kpv > "$work/windows.out"
  # The Linux names as Windows writes them: drive Z:, backslashes, CR LF.
  sed 's|^|Z:|; s|/|\\|g; s|$|\r|' "$work/linux.out" > "$work/expected.out"
  cmp "$work/expected.out" "$work/windows.out" || { echo "FAIL ($options): standard output differs"; diff "$work/expected.out" "$work/windows.out" | head; failed=1; }
  for file in "$work"/linux/*.html "$work"/linux/*.svg "$work"/linux/gfx/*; do
    [ -e "$file" ] || continue
    mine=${file#"$work"/linux/}
    cmp -s "$file" "$mine" || { echo "FAIL ($options): $mine differs from Linux's"; failed=1; }
  done
  count=$(find "$work/linux" -type f | wc -l)
  echo "$options: $count files, $(wc -l < "$work/windows.out") named, compared"
  rm -rf "$work/linux" ./*.html ./*.svg gfx
done
exit $failed
