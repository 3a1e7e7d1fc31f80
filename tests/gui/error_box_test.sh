#!/usr/bin/env bash
# Errors on a real display. A failing construction of the window (a test build) shows the error
# box and the program ends with 0 without showing the window; an Exception from a handler (the
# probe's Play button) shows the same box and the window goes on, with the keyboard focus where
# it was before the box.
source "$(dirname "$0")/lib.sh"
: "${FAILING_START:?}" "${FOCUS_PROBE:?}"

start_display

rule=---------------------------
start_program failing "$FAILING_START"
expect_eq "$(copy_box)" "$rule
corvanta menu
$rule
The settings folder cannot be read..
$rule
OK   
$rule" "error box of a failed start"
find_window 'Corvanta Menu.*' >/dev/null && fail "the window showed although it failed"
xdotool key Return
wait_exit "$PROGRAM_PID"
expect_eq "$EXIT_CODE" 0 "exit code after a failed start"

# Round 1 clicks Play!!; after the box the window has the keyboard again, with the focus on
# Play!!, so rounds 2 and 3 press it with Space and Enter, the pointer off the window (with no
# window manager the keyboard would otherwise follow the pointer).
start_program probe "$FOCUS_PROBE" throw
read -r id wx wy _ < <(wait_window 'Corvanta Menu Ver 0\.57 .*')
for round in 1 2 3; do
  case $round in
    1)
      move_pointer $((wx + 270)) $((wy + 264))  # Play!!
      xdotool click 1
      ;;
    2) move_pointer 0 0 && xdotool key space ;;
    3) move_pointer 0 0 && xdotool key Return ;;
  esac
  text=$(copy_box)
  grep -qx "The emulator could not be prepared." <<<"$text" || fail "box text: $text"
  xdotool key Return
  wait_no_window 'corvanta menu'
  expect_eq "$("$XPROBE" focus)" "$id" "round $round: the window has the keyboard focus again"
  echo "ok: round $round: the handler's Exception was shown and the window went on"
done
"$XPROBE" close "$id"
wait_exit "$PROGRAM_PID"
expect_eq "$EXIT_CODE" 0 "exit code after closing"
expect_eq "$(grep -c '^play$' "$GUI_TMP/probe.out")" 3 "Play ran three times"
