#!/usr/bin/env bash
# Runs inside the X server started by scaled_200.sh. Usage: scaled_200_session.sh PREFIX ARTIFACTS
set -euo pipefail
prefix=$1
artifacts=$2
shot=$artifacts/scaled-200.png
convert=$(command -v convert-im6.q16 || command -v convert)
scale=2
QT_SCALE_FACTOR=$scale "$prefix/bin/brondel" & pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

settle() { sleep 0.3; }
# Clicks at a point given in the window's logical (unscaled) pixels.
click() { xdotool mousemove --window "$1" $(($2 * scale)) $(($3 * scale)) click 1; settle; }
window_named() { xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
fail=0
problem() { echo "$*"; fail=1; }

main=$(window_named "Brondel 2004")
settle
# Box 202 (row 2, column 0, at 10,90) gets one line through the box editor.
click "$main" 74 110
edit=$(window_named "Edit Field")
settle
click "$edit" 111 32
xdotool type --delay 20 "Scaled"
click "$edit" 397 95 # OK
xdotool search --onlyvisible --name "Edit Field" >/dev/null 2>&1 && problem "the box editor stayed open"
# Connector 12 joins Box 202 to the empty Box 203 (at 150,90): a stub is drawn in Box 203 only.
click "$main" 144 110
# A slow machine (a sanitizer build under load) may paint late: take the window until the
# stub's first device row has turned black, for five seconds at most.
for _ in $(seq 25); do
  import -window "$main" "$shot"
  [ "$("$convert" "$shot" -crop "1x1+$((scale * 152 + 10))+$((scale * 110))" -depth 8 txt:- |
       tail -n 1 | grep -o '#[0-9A-F]\{6\}')" = "#000000" ] && break
  sleep 0.2
done
echo "screenshot kept at $shot"

# The distinct colours of a rectangle of the screenshot, in device pixels.
colours() { "$convert" "$shot" -crop "$3x$4+$1+$2" +repage -depth 8 txt:- | tail -n +2 |
              grep -o '#[0-9A-F]\{6\}' | sort -u | tr '\n' ' ' | sed 's/ $//'; }
expect_colours() { # X Y WIDTH HEIGHT COLOURS WHAT
  local seen; seen=$(colours "$1" "$2" "$3" "$4")
  [ "$seen" = "$5" ] || problem "$6: device pixels $3x$4+$1+$2 hold '$seen', expected '$5'"
}
expect_without() { # X Y WIDTH HEIGHT COLOUR WHAT
  local seen; seen=$(colours "$1" "$2" "$3" "$4")
  case " $seen " in *" $5 "*) problem "$6: device pixels $3x$4+$1+$2 hold $5";; esac
}

size=$(identify -format '%wx%h' "$shot")
[ "$size" = "$((989 * scale))x$((715 * scale))" ] || problem "the window is $size device pixels"

# Box 202's fill, (GX+1, GY+1) to (GX+125, GY+37), covers the device pixels 2*(GX+1) to
# 2*(GX+1+125)-1 and 2*(GY+1) to 2*(GY+1+37)-1: every pixel of its edge rows and columns is the
# fill itself (a blurred edge would mix it with what lies outside), and none beyond them is.
fill="#BFE3FC" # the default colour of the rows below the narrow row
left=$((scale * 11)) right=$((scale * (11 + 125) - 1))
top=$((scale * 91)) bottom=$((scale * (91 + 37) - 1))
width=$((right - left + 1)) height=$((bottom - top + 1))
expect_colours "$left" "$top" "$width" "$scale" "$fill" "top edge of the fill"
expect_colours "$left" "$((bottom - scale + 1))" "$width" "$scale" "$fill" "bottom edge of the fill"
expect_colours "$left" "$top" "$scale" "$height" "$fill" "left edge of the fill"
expect_colours "$((right - scale + 1))" "$top" "$scale" "$height" "$fill" "right edge of the fill"
expect_without "$((left - 1))" "$top" 1 "$height" "$fill" "left of the fill"
expect_without "$((right + 1))" "$top" 1 "$height" "$fill" "right of the fill"
expect_without "$left" "$((top - 1))" "$width" 1 "$fill" "above the fill"
expect_without "$left" "$((bottom + 1))" "$width" 1 "$fill" "below the fill"

# The text sits inside the fill, centred on the Box and starting 14 pixels below its top; it
# is drawn at the doubled size: black strokes, not a scaled-up picture of small ones.
ink=$("$convert" "$shot" -crop "${width}x${height}+$left+$top" +repage -fill white \
        -opaque "$fill" -negate -trim -format '%w %h %X %Y' info:)
read -r ink_w ink_h ink_x ink_y <<<"${ink//+/ }"
centre=$((left + ink_x + ink_w / 2))
[ $((centre - scale * 74)) -ge -$scale ] && [ $((centre - scale * 74)) -le $scale ] ||
  problem "the text is centred at device x $centre, not $((scale * 74))"
text_top=$((top + ink_y))
[ "$text_top" -ge $((scale * (90 + 14))) ] && [ "$text_top" -le $((scale * (90 + 14 + 4))) ] ||
  problem "the text starts at device y $text_top"
[ "$ink_h" -ge $((scale * 7)) ] && [ "$ink_h" -le $((scale * 11)) ] ||
  problem "the text is $ink_h device pixels high"
case " $(colours $((left + ink_x)) $((top + ink_y)) "$ink_w" "$ink_h") " in
  *" #000000 "*) ;;
  *) problem "the text has no solid black pixel";;
esac

# The stub in Box 203: logical rows 110 and 111, columns 152 to 212, so device rows 220 to 223,
# solid black, and nothing black just above or below it.
stub_left=$((scale * 152)) stub_width=$((scale * 61))
expect_colours "$stub_left" $((scale * 110)) "$stub_width" $((scale * 2)) "#000000" "the stub"
expect_without "$stub_left" $((scale * 110 - 1)) "$stub_width" 1 "#000000" "above the stub"
expect_without "$stub_left" $((scale * 112)) "$stub_width" 1 "#000000" "below the stub"
expect_without $((stub_left - 1)) $((scale * 110)) 1 $((scale * 2)) "#000000" "left of the stub"

# Exit Brondel, Yes: the settings file is written beside the installed program.
click "$main" 914 699
question=$(window_named "Question")
settle
xdotool windowfocus --sync "$question"
xdotool key Return
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
kill -0 $pid 2>/dev/null && problem "the editor did not end after Exit and Yes"
settings=$prefix/bin/Brondel.ini
if [ -f "$settings" ]; then
  grep -q '^\[Common Settings\]' "$settings" && grep -q '^Last Project = ' "$settings" ||
    problem "the settings file beside the program has other lines: $(cat -A "$settings")"
else
  problem "no settings file was written beside the installed program"
fi
exit $fail
