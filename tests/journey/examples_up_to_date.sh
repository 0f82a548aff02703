#!/usr/bin/env bash
# The committed example pages must be exactly what brondel-generate makes of the committed
# charts today, images included, so that the examples never go stale.
# Usage: examples_up_to_date.sh BRONDEL_GENERATE EXAMPLES_DIR
set -euo pipefail
generate=$1
examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

charts=("$examples"/*.kpv)
[ -e "${charts[0]}" ] || { echo "FAIL: no example charts in $examples"; exit 1; }
cp "${charts[@]}" "$work/"
"$generate" "$work"/*.kpv >/dev/null

fail=0
for chart in "${charts[@]}"; do
  name=$(basename "$chart" .kpv)
  if ! cmp -s "$work/$name.html" "$examples/$name.html"; then
    echo "examples/$name.html differs from the page generated from examples/$name.kpv"
    fail=1
  fi
done
if ! diff -r -q "$work/gfx" "$examples/gfx"; then
  echo "examples/gfx differs from the connector images brondel-generate writes"
  fail=1
fi
[ "$fail" -eq 0 ] || {
  echo "FAIL: regenerate with: brondel-generate examples/*.kpv"
  exit 1
}
echo "${#charts[@]} example pages up to date"
