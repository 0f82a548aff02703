#!/usr/bin/env bash
# The installed manual pages and software-centre metadata, as a packager's checks see them.
#   man:      every page renders with `man -l` without a warning, `mandoc -T lint` finds
#             nothing in it, and it documents every option its program's --help names.
#   metainfo: appstreamcli accepts the metadata, and what it names is installed: the menu
#             entry, the programs and the chart files' type.
# Usage: installed_docs.sh man|metainfo PREFIX   (exits 77, skipped, where a tool is missing)
set -euo pipefail
mode=$1 prefix=$2
fail() { echo "FAIL: $*"; exit 1; }
need() { command -v "$1" > /dev/null || { echo "skipped: no $1 (Debian package $2)"; exit 77; }; }

if [ "$mode" = man ]; then
  need man man-db && need mandoc mandoc
  for program in "$prefix"/bin/*; do
    [ -x "$program" ] || continue # Brondel.ini, once the installed editor has ended
    page=$prefix/share/man/man1/$(basename "$program").1
    [ -f "$page" ] || fail "no manual page for $program"
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 > /dev/null)
    [ -z "$warnings" ] || fail "man -l $page: $warnings"
    mandoc -T lint "$page" || fail "mandoc -T lint $page"
    for option in $("$program" --help | grep -o -- '--[a-z-]*' | sort -u); do
      grep -qF -- "${option//-/\\-}" "$page" || fail "$page does not document $option"
    done
  done
  echo "$(ls "$prefix"/share/man/man1 | wc -l) manual pages checked"
  exit 0
fi

need appstreamcli appstream
metainfo=$(echo "$prefix"/share/metainfo/*.metainfo.xml)
appstreamcli validate --no-net "$metainfo"
field() { sed -n "s|.*<$1[^>]*>\(.*\)</$1>.*|\1|p" "$metainfo"; }
[ -f "$prefix/share/applications/$(field launchable)" ] || fail "the launchable is not installed"
for binary in $(field binary); do [ -x "$prefix/bin/$binary" ] || fail "no program $binary"; done
grep -qF "type=\"$(field mediatype)\"" "$prefix"/share/mime/packages/*.xml ||
  fail "the chart files' type is not installed"
[ "$(field id).metainfo.xml" = "$(basename "$metainfo")" ] || fail "the file is not named by its id"
