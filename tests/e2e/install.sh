#!/usr/bin/env bash
# Installing as a packager or a user would: `cmake --install` into a scratch prefix gives both
# programs in bin/, a valid desktop entry that starts the installed editor with the installed
# icon (the project's picture, and a 48 x 48 copy), and an installed brondel-generate that
# writes the example's page from anywhere. Usage: install.sh CMAKE BUILD PREFIX SOURCE [editor]
set -euo pipefail
prefix=$3 source=$4
fail() { echo "FAIL: $*"; exit 1; }
rm -rf "$prefix"
"$1" --install "$2" --prefix "$prefix" >/dev/null
if [ "${5:-}" = editor ]; then
  entry=$prefix/share/applications/brondel.desktop icons=$prefix/share/icons/hicolor
  desktop-file-validate "$entry" || fail "the desktop entry is not valid"
  field() { sed -n "s/^$1=//p" "$entry"; }
  [ -x "$prefix/bin/$(field Exec)" ] || fail "the desktop entry starts no installed program"
  cmp "$icons/scalable/apps/$(field Icon).svg" "$source/data/brondel.svg" ||
    fail "the desktop entry's icon is not data/brondel.svg"
  ! command -v rsvg-convert >/dev/null ||
    [ "$(identify -format %wx%h "$icons/48x48/apps/brondel.png")" = 48x48 ] ||
    fail "no 48 x 48 icon"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$source/examples/organisation.kpv" "$work/org chart.kpv"
(cd / && "$prefix/bin/brondel-generate" "$work/org chart.kpv" >/dev/null) ||
  fail "the installed brondel-generate failed"
cmp "$work/org chart.html" "$source/examples/organisation.html" ||
  fail "the installed brondel-generate wrote another page"
echo "installed into $prefix"
