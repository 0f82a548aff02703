#!/usr/bin/env bash
# Installing as a packager or a user would: `cmake --install` into a scratch prefix gives both
# programs in bin/ and, with the editor, a valid desktop entry that starts the installed editor
# with the installed icon (the project's picture, and a 48 x 48 copy).
# Usage: install.sh CMAKE BUILD PREFIX SOURCE [editor]
set -euo pipefail
prefix=$3
fail() { echo "FAIL: $*"; exit 1; }
rm -rf "$prefix"
"$1" --install "$2" --prefix "$prefix" >/dev/null
"$prefix/bin/brondel-generate" >/dev/null 2>&1 || [ $? -ne 127 ] || fail "no bin/brondel-generate"
[ "${5:-}" = editor ] || exit 0
entry=$prefix/share/applications/brondel.desktop icons=$prefix/share/icons/hicolor
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
[ "$(sed -n 's/^Exec=//p' "$entry")" = "brondel %f" ] && [ -x "$prefix/bin/brondel" ] || fail "the desktop entry starts no installed program"
cmp "$icons/scalable/apps/$(sed -n 's/^Icon=//p' "$entry").svg" "$4/data/brondel.svg" || fail "not the project's icon"
! command -v rsvg-convert >/dev/null || [ "$(identify -format %wx%h "$icons/48x48/apps/brondel.png")" = 48x48 ] ||
  fail "no 48 x 48 icon"
