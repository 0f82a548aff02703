#!/usr/bin/env bash
# A chart opened from the desktop: in the prefix's own MIME database a .kpv file is a Brondel
# chart (the settings file is not), the desktop entry still validates, and the desktop's opener,
# with the prefix's entry as the type's default, starts the installed editor with the chart
# loaded (its window title names it). Also the command line's --version, --help and an unknown
# option. Usage: open_from_desktop.sh PREFIX CHART
set -euo pipefail
prefix=$1 chart=$2
for tool in update-mime-database xdg-mime xdg-open desktop-file-validate Xvfb xauth xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
# The X server is started for the part that needs one: this script again, inside it.
[ "${3:-}" = inside ] || exec "$(dirname "$0")/../../scripts/with-xvfb" "$0" "$prefix" "$chart" inside
fail=0
problem() { echo "$*"; fail=1; }
work=$(mktemp -d) editor=
trap '[ -n "$editor" ] && kill "$editor"; rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_DATA_DIRS=$prefix/share PATH=$prefix/bin:$PATH

# An editor that takes no options would start and never end: the time limit ends it.
[ "$(timeout 10 brondel --version)" = "Brondel 2004 v1.0" ] || problem "--version: no version"
grep -q '^Usage: brondel \[CHART.kpv\]$' <<<"$(timeout 10 brondel --help)" || problem "--help: no usage"
status=0 && timeout 10 brondel --unknown 2>/dev/null || status=$?
[ $status = 2 ] || problem "an unknown option ends with $status, not 2"

update-mime-database "$prefix/share/mime"
cp "$chart" "$work/team.v2.kpv"
printf '[KPVV10]\r\n;Brondel file.\r\n' >"$work/Brondel.ini"
type=$(xdg-mime query filetype "$work/team.v2.kpv")
[ "$type" = application/x-brondel-chart ] || problem "a chart's type is '$type'"
[ "$(xdg-mime query filetype "$work/Brondel.ini")" != "$type" ] || problem "Brondel.ini is a chart"
desktop-file-validate "$prefix/share/applications/brondel.desktop" || problem "the entry is refused"

xdg-mime default brondel.desktop application/x-brondel-chart
xdg-open "$work/team.v2.kpv" &
window=$(timeout 30 xdotool search --sync --name 'team\.v2\.kpv$' | head -n 1) || true
[ -n "$window" ] && editor=$(xdotool getwindowpid "$window")
title=$([ -n "$window" ] && xdotool getwindowname "$window" || echo "no window")
[ "$title" = "Brondel 2004 v1.0 - (Minimum 1024x768 resolution)  -  $work/team.v2.kpv" ] ||
  problem "the opener started no editor with the chart: $title"
exit $fail
