# shellcheck shell=bash
# Driving the editor under Xvfb as a person would (xdotool), and reading screenshots by their
# pixels (ImageMagick). Points are the editor's own pixels, multiplied by $scale (default 1)
# for a screen scaled by it. Sourced by the scripts that run inside the X server.
errors=0
fail() { echo "FAIL: $*"; exit 1; }
# The visible window whose name matches the pattern, within 10 s.
window() { { timeout 10 xdotool search --sync --onlyvisible --name "$1" || true; } | head -n 1; }
gone() { timeout 10 bash -c "while xdotool search --onlyvisible --name '$1'; do sleep 0.05; done" >/dev/null 2>&1 || fail "window '$1' did not close"; }
click() { xdotool mousemove --window "$1" $(($2 * ${scale:-1})) $(($3 * ${scale:-1})) click 1; sleep "${4:-0.1}"; }
start_editor() { # PROGRAM [ENVIRONMENT...]
  env "${@:2}" "$1" & pid=$!
  main=$(window '^Brondel 2004') && [ -n "$main" ] || fail "the main window did not open"
  sleep 0.3
}
exit_editor() { # "Exit Brondel", Yes: the editor must end with status 0
  click "$main" 914 699 && question=$(window '^Question$') && [ -n "$question" ] || fail "no exit question"
  xdotool windowfocus --sync "$question" key y
  timeout 10 tail --pid="$pid" -f /dev/null || fail "the editor did not end after Yes"
  wait "$pid" || fail "the editor ended with status $?"
}
# check FILE X Y W H WANT WHAT: WANT is #RRGGBB (the rectangle's first pixel), !#RRGGBB (any
# other), =#RRGGBB (every pixel), ink (a dark pixel in it), line (every pixel dark) or blank (no
# dark pixel).
check() {
  local s=${scale:-1} colour dark light
  read -r colour dark light < <(convert "$1" -alpha off -crop "$(($4 * s))x$(($5 * s))+$(($2 * s))+$(($3 * s))" \
    +repage -depth 8 -format '#%[hex:p{0,0}] ' -write info:- -colorspace Gray \
    -format '%[fx:int(255*minima)] %[fx:int(255*maxima)]\n' info:-)
  case $6 in
    ink) ((dark < 100)) ;; line) ((light < 100)) ;; blank) ((dark > 200)) ;;
    !*) [ "$colour" != "${6#!}" ] ;; =*) [ "$colour" = "${6#=}" ] && ((dark == light)) ;;
    *) [ "$colour" = "$6" ] ;;
  esac || { echo "$(basename "$1"): $7: got $colour, grey $dark-$light, wanted $6"; errors=$((errors + 1)); }
}
# shoot WINDOW FILE CHECKS: takes the window until the first check holds (a busy machine paints
# late, 5 s at most), then reads every check of the data file.
shoot() {
  for _ in $(seq 25); do # until the first check holds
    import -window "$1" "$2" && errors=0 check "$2" $(grep -v '^#' "$3" | head -n 1) | grep -q . || break
    sleep 0.2
  done
  while read -r x y w h want what; do check "$2" "$x" "$y" "$w" "$h" "$want" "$what"; done < <(grep -v '^#' "$3")
}
