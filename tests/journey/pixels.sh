# shellcheck shell=bash
# Pixel checks of a screenshot, sourced by the journey's scripts. Checks are collected first
# and then read by one ImageMagick run, which keeps dozens of them to a fraction of a second.
#   want_colour X Y RRGGBB WHAT      the pixel has that colour
#   want_not_colour X Y RRGGBB WHAT  the pixel has any other colour
#   want_ink X Y W H WHAT            some dark pixel (text, a line) in the rectangle
#   want_line X Y W H WHAT           every pixel of the rectangle dark: an unbroken line
#   want_blank X Y W H WHAT          no dark pixel in the rectangle
#   run_checks FILE                  reads them all, reports failures, adds them to $errors
#   run_checks FILE quiet            the same, but only tells by its status whether all passed
errors=${errors:-0}
probe_args=() probe_tests=() probe_what=()

want() { # TEST WHAT IMAGEMAGICK-STEPS...
  probe_tests+=("$1") probe_what+=("$2")
  shift 2
  probe_args+=("(" mpr:shot "$@" -write info:- +delete ")")
}
want_colour() { want "= $3" "$4" -crop "1x1+$1+$2" +repage -format '%[hex:p{0,0}]\n'; }
want_not_colour() { want "!= $3" "$4" -crop "1x1+$1+$2" +repage -format '%[hex:p{0,0}]\n'; }
grey() { # minima|maxima TEST WHAT X Y W H: the darkest or lightest grey level (0-255)
  want "$2" "$3" -crop "$6x$7+$4+$5" +repage -colorspace Gray -format "%[fx:int(255*$1)]\n"
}
want_ink() { grey minima "< 100" "$5" "$@"; }
want_line() { grey maxima "< 100" "$5" "$@"; }
want_blank() { grey minima "> 200" "$5" "$@"; }

run_checks() { # FILE [quiet]
  local values i value test failed=0
  mapfile -t values < <(convert "$1" -alpha off -write mpr:shot +delete "${probe_args[@]}" xc: null:)
  for i in "${!probe_tests[@]}"; do
    value=${values[$i]:-none} test=${probe_tests[$i]}
    case $test in
      "= "*) [ "$value" = "${test#= }" ] ;;
      "!= "*) [ "$value" != "${test#!= }" ] ;;
      "< "*) [[ "$value" =~ ^[0-9]+$ ]] && ((value < ${test#< })) ;;
      "> "*) [[ "$value" =~ ^[0-9]+$ ]] && ((value > ${test#> })) ;;
      *) false ;;
    esac && continue
    failed=$((failed + 1))
    [ "${2:-}" = quiet ] || echo "$(basename "$1"): ${probe_what[$i]}: got $value, wanted $test"
  done
  probe_args=() probe_tests=() probe_what=()
  [ "${2:-}" = quiet ] || errors=$((errors + failed))
  [ "$failed" -eq 0 ]
}
