#!/usr/bin/env bash
# The chart's SVG picture and the single-file page in the programs they are made for, on
# examples/flow.kpv (bends, tees, a crossing and the narrow row).
#   browser:     brondel-generate's options and listing; the single-file page is the page with
#                its images inline, a user's own image winning; the README's example picture is
#                up to date; the SVG is well-formed XML; librsvg's rendering of it matches
#                headless Chromium's of the page (texts hidden in both) in every Box fill and
#                line pixel, within 1 pixel of position; the single-file page renders
#                pixel-identical to the ordinary one, without any gfx folder.
#   libreoffice: a Writer document with the picture at its stated size on A4 becomes a PDF
#                whose text holds every Box line and whose ink lies inside the text area; the
#                single-file page imported as a document carries its images embedded, none
#                linked.
# Usage: pictures.sh browser|libreoffice BRONDEL_GENERATE EXAMPLES_DIR ARTIFACTS_DIR
set -euo pipefail
part=$1 generate=$2 examples=$3 artifacts=$4 data=$(cd "$(dirname "$0")" && pwd)
need() { command -v "$1" >/dev/null || { echo "SKIP: $1 is not installed"; exit 77; }; }
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir -p single bin "$artifacts"
cp "$examples/flow.kpv" flow.kpv
cp flow.kpv single/flow.kpv
svg_size() { sed -n "s/.*<svg [^>]* $1=\"\([0-9.]*\)\(mm\)\{0,1\}\".*/\1/p" flow.svg; }

if [ "$part" = browser ]; then
  for tool in xmllint rsvg-convert chromium convert compare; do need "$tool"; done
  [ "$("$generate" --svg flow.kpv)" = "$work/flow.svg" ] || fail "--svg lists the picture"
  [ ! -e flow.html ] && [ ! -e gfx ] || fail "--svg alone writes a page or images"
  listed=$("$generate" --svg --single-file single/flow.kpv)
  [ "$listed" = "$work/single/flow.html"$'\n'"$work/single/flow.svg" ] || fail "listing: $listed"
  [ ! -e single/gfx ] || fail "--single-file writes a gfx folder"
  printf '#!/bin/sh\necho "$1" >> "%s/opened"\n' "$work" > bin/xdg-open && chmod +x bin/xdg-open
  PATH="$work/bin:$PATH" "$generate" --open --svg flow.kpv >/dev/null
  PATH="$work/bin:$PATH" "$generate" --open --svg --html flow.kpv >/dev/null
  [ "$(cat opened)" = "file://$work/flow.svg"$'\n'"file://$work/flow.html" ] || fail "--open: $(cat opened)"
  # The single-file page is the page once each data: URI is named again by the image it holds.
  page=$(<single/flow.html)
  for image in gfx/*.gif; do page=${page//"data:image/gif;base64,$(base64 -w0 "$image")"/$image}; done
  [ "$page" = "$(<flow.html)" ] || fail "the single-file page is not the page with its images inline"
  mkdir -p own/gfx && cp flow.kpv own/ && cp gfx/strek_upmiddle_av.gif own/gfx/strek_middle2.gif
  "$generate" --single-file own/flow.kpv >/dev/null
  ! grep -qF "$(base64 -w0 gfx/strek_middle2.gif)" own/flow.html &&
    grep -qF "$(base64 -w0 gfx/strek_upmiddle_av.gif)" own/flow.html || fail "a user's image does not win"
  cp "$examples/organisation.kpv" . && "$generate" --svg organisation.kpv >/dev/null
  cmp -s organisation.svg "$examples/organisation.svg" || fail "examples/organisation.svg is stale"
  xmllint --noout flow.svg || fail "flow.svg is not well-formed XML"
  # Characters XML may not carry (U+FFFE, U+FFFF, controls) and bytes that are not UTF-8.
  printf '[KPVV10]\r\n[Raw Chart Text]\r\nL1-188 = a\xef\xbf\xbe\xef\xbf\xbf\x01b\r\nL1-189 = \xff\xfe\r\n' > odd.kpv
  "$generate" --svg odd.kpv >/dev/null && xmllint --noout odd.svg || fail "odd.svg is not well-formed XML"

  shoot() {
    chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
      --disable-background-networking --disable-component-update --disable-sync \
      --user-data-dir="$work/profile" --screenshot="$work/$1" --window-size=1200,800 \
      "file://$work/$2" >/dev/null 2>&1 || fail "chromium could not show $2"
  }
  shoot page.png flow.html
  shoot single.png single/flow.html
  [ "$(compare -metric AE page.png single.png null: 2>&1)" = 0 ] || fail "single-file page looks different"
  # Fills and lines alone: the page's text made invisible (its cells keep their size), the
  # picture's text elements left out. The page's body margin of 8 pixels is the picture's, and
  # flow.kpv uses the first row and column, so the picture lies at the screenshot's corner.
  sed 's/<font face=verdana size=1>/<font face=verdana size=1 style=visibility:hidden>/' flow.html > hidden.html
  shoot hidden.png hidden.html
  sed '/<text /d' flow.svg > lines.svg
  width=$(sed -n 's/.*viewBox="0 0 \([0-9]*\) [0-9]*".*/\1/p' flow.svg)
  height=$(sed -n 's/.*viewBox="0 0 [0-9]* \([0-9]*\)".*/\1/p' flow.svg)
  rsvg-convert -w "$width" -h "$height" lines.svg -o svg.png
  convert hidden.png -crop "${width}x${height}+0+0" +repage chromium.png
  # Pixels that differ, less every difference no more than one pixel thick (a shift by one).
  compare -fuzz 10% svg.png chromium.png -compose Src -highlight-color white -lowlight-color black diff.png || true
  left=$(convert diff.png -morphology Erode Rectangle:2x2 -format '%[fx:round(mean*w*h)]' info:)
  rsvg-convert -w "$width" -h "$height" flow.svg -o "$artifacts/flow-svg.png"
  cp chromium.png "$artifacts/flow-page-lines.png"
  [ "$left" = 0 ] || fail "$left pixels of the picture stand apart from the page's (see $artifacts)"
  echo "picture matches the page; single-file page matches too"
  exit 0
fi

need soffice; need pdftotext; need pdftoppm; need unzip; need convert
"$generate" --svg flow.kpv >/dev/null
"$generate" --single-file single/flow.kpv >/dev/null
sed "s/@WIDTH@/$(svg_size width)mm/; s/@HEIGHT@/$(svg_size height)mm/" "$data/picture_document.fodt" > doc.fodt
office() { soffice -env:UserInstallation="file://$work/lo" --headless "$@" >/dev/null 2>&1; }
start=$(date +%s%N)
office --convert-to pdf doc.fodt || fail "soffice could not make the PDF"
(cd single && office --convert-to 'docx:MS Word 2007 XML' --infilter='HTML (StarWriter)' flow.html) ||
  fail "soffice could not import the single-file page"
echo "LibreOffice: two conversions in $((($(date +%s%N) - start) / 1000000)) ms"

pdftotext doc.pdf text.txt
sed -n 's/^L[123]-[0-9]* = \(..*\)\r$/\1/p' flow.kpv | while IFS= read -r line; do
  grep -qF -- "$line" text.txt || fail "the PDF's text lacks \"$line\""
done
# At 50 dots per inch the A4 text area within 20 mm margins is x 40..374, y 40..545.
pdftoppm -r 50 -png -singlefile doc.pdf pdf && cp pdf.png "$artifacts/flow-svg-in-writer.png"
read -r w h x y <<<"$(convert pdf.png -trim -format '%w %h %X %Y' info: | tr -d '+')"
[ "$x" -ge 39 ] && [ "$y" -ge 39 ] && [ $((x + w)) -le 375 ] && [ $((y + h)) -le 546 ] ||
  fail "the picture's ink (${w}x${h}+$x+$y at 50 dpi) leaves the A4 text area"

document=$(unzip -p single/flow.docx word/document.xml)
images=$(grep -o '<img ' single/flow.html | wc -l)
[ "$(grep -o 'r:embed=' <<<"$document" | wc -l)" = "$images" ] || fail "not all $images images embedded"
! grep -q 'r:link=' <<<"$document" || fail "the document links images"
echo "picture inside A4's text area with all its text; $images images embedded"
