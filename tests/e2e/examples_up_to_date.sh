#!/usr/bin/env bash
# The committed example pages and their images are exactly what brondel-generate makes of the
# committed charts today, so the examples never go stale (the picture is checked by pictures.sh).
# Usage: examples_up_to_date.sh BRONDEL_GENERATE EXAMPLES
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$2"/*.kpv "$work/"
"$1" "$work"/*.kpv >/dev/null
diff -r -q -x .gitattributes -x "*.svg" "$2" "$work" || { echo "FAIL: regenerate with: brondel-generate examples/*.kpv"; exit 1; }
