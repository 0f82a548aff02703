#!/usr/bin/env bash
# What `cmake --install` puts under a prefix: both programs in bin/, the desktop entry and the
# icon where desktops look for them; and the installed brondel-generate writes a chart's page
# from there. Usage: installed_layout.sh PREFIX SOURCE [editor]
set -euo pipefail
prefix=$1
source=$2
with_editor=${3:-}
fail=0
problem() { echo "$*"; fail=1; }

programs=(brondel-generate)
[ "$with_editor" = editor ] && programs+=(brondel)
for program in "${programs[@]}"; do
  [ -x "$prefix/bin/$program" ] || problem "bin/$program is not installed as a program"
done

if [ "$with_editor" = editor ]; then
  entry=$prefix/share/applications/brondel.desktop
  icon=$prefix/share/icons/hicolor/scalable/apps/brondel.svg
  [ -f "$entry" ] || problem "no desktop entry at share/applications/brondel.desktop"
  [ -f "$icon" ] || problem "no icon at share/icons/hicolor/scalable/apps/brondel.svg"
  if [ -f "$entry" ]; then
    [ "$(head -n 1 "$entry")" = "[Desktop Entry]" ] || problem "the desktop entry has no group"
    field() { sed -n "s/^$1=//p" "$entry"; }
    expect_field() {
      [ "$(field "$1")" = "$2" ] || problem "desktop entry: $1 is '$(field "$1")', expected '$2'"
    }
    expect_field Type Application
    expect_field Name Brondel
    expect_field Exec 'brondel %f'
    expect_field Icon brondel
    expect_field Categories 'Office;Graphics;'
    expect_field Terminal false
    [ -n "$(field Comment)" ] || problem "desktop entry: no Comment"
    # The entry starts the program by name, and the icon it names is the installed one.
    [ -x "$prefix/bin/$(field Exec | cut -d ' ' -f 1)" ] ||
      problem "desktop entry: Exec names no installed program"
    [ -f "$prefix/share/icons/hicolor/scalable/apps/$(field Icon).svg" ] ||
      problem "desktop entry: Icon names no installed icon"
    if command -v desktop-file-validate >/dev/null; then
      desktop-file-validate "$entry" || problem "desktop-file-validate refuses the entry"
    else
      echo "note: desktop-file-validate is not installed, the entry is checked by its fields only"
    fi
  fi
  if [ -f "$icon" ]; then
    grep -q '<svg ' "$icon" || problem "the icon is not an SVG picture"
    cmp -s "$icon" "$source/data/brondel.svg" || problem "the installed icon is not data/brondel.svg"
  fi
  png=$prefix/share/icons/hicolor/48x48/apps/brondel.png
  if [ -f "$png" ] && command -v identify >/dev/null; then
    [ "$(identify -format '%wx%h' "$png")" = 48x48 ] || problem "the 48 x 48 icon has another size"
  fi
fi

# The installed generator on a chart in a folder of its own: the page is the one expected.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$source/tests/html/golden/examples.kpv" "$work/org chart.kpv"
if out=$(cd / && "$prefix/bin/brondel-generate" "$work/org chart.kpv"); then
  [ "$out" = "$work/org chart.html" ] || problem "brondel-generate printed '$out'"
  cmp -s "$work/org chart.html" "$source/tests/html/golden/examples.html" ||
    problem "the installed brondel-generate wrote another page than the golden one"
  ls "$work/gfx/"*.gif >/dev/null 2>&1 || problem "the page's images were not written beside it"
else
  problem "the installed brondel-generate failed"
fi
[ $fail = 0 ] && echo "installed layout in $prefix is complete"
exit $fail
