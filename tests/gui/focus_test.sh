#!/usr/bin/env bash
# The keyboard and the mouse on a real display, through a test build that prints focus changes,
# check-box clicks and the row Play would play: Tab and Shift+Tab follow the window's Tab order,
# Space turns the focused check box and fires its OnClick; Enter presses the focused Play!! and
# means nothing elsewhere (it neither plays nor moves the focus); a disabled group and a radio
# group without selection are passed over; a double-click plays the row double-clicked.
source "$(dirname "$0")/lib.sh"
: "${FOCUS_PROBE:?}"

start_display

# run_keys SCENARIO KEYS...: starts the probe, presses KEYS with the pointer over the window,
# and leaves the probe's report in $report. Each key must add a line to the report, except one
# written quiet:KEY, which must add none: the next key's line shows that it came through.
run_keys() {
  local scenario=$1
  shift
  start_program "probe-$scenario" "$FOCUS_PROBE" $scenario
  report="$GUI_TMP/probe-$scenario.out"
  read -r id wx wy _ < <(wait_window 'Corvanta Menu Ver 0\.57 .*')
  wait_lines "$report" 1
  # No window manager: the keyboard goes to the window under the pointer.
  move_pointer $((wx + 125)) $((wy + 150))
  local key
  for key in "$@"; do
    local before
    before=$(wc -l <"$report")
    if [[ "$key" == quiet:* ]]; then
      xdotool key "${key#quiet:}"
    else
      xdotool key "$key"
      wait_lines "$report" $((before + 1)) 10
    fi
  done
  "$XPROBE" close "$id"
  wait_exit "$PROGRAM_PID"
  expect_eq "$EXIT_CODE" 0 "probe ($scenario) ends with 0"
}

tabs=(Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab)
run_keys designed "${tabs[@]}" shift+Tab shift+Tab space space
expect_eq "$(paste -sd, "$report")" \
  "focus RadioGroup1,focus RadioGroup2,focus RadioGroup5,focus RadioGroup6,focus ListBox1,focus Button1,focus CheckBox1,focus CheckBox2,focus CheckBox3,focus CheckBox4,focus CheckBox5,focus RadioGroup3,focus RadioGroup1,focus RadioGroup3,focus CheckBox5,click CheckBox5 on,click CheckBox5 off,closed" \
  "Tab order, Shift+Tab, Space on ScanLine"

# Enter on the list and on a check box does nothing; on the focused Play!! it plays, as Space
# does; the keypad's Enter too.
run_keys designed Tab Tab Tab Tab quiet:Return Tab Return KP_Enter space Tab quiet:Return \
  quiet:KP_Enter space
expect_eq "$(paste -sd, "$report")" \
  "focus RadioGroup1,focus RadioGroup2,focus RadioGroup5,focus RadioGroup6,focus ListBox1,focus Button1,Play row 0,Play row 0,Play row 0,focus CheckBox1,click CheckBox1 on,closed" \
  "Enter presses the focused button and nothing else"

run_keys skip Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
expect_eq "$(paste -sd, "$report")" \
  "focus RadioGroup2,focus RadioGroup6,focus ListBox1,focus Button1,focus CheckBox1,focus CheckBox2,focus CheckBox3,focus CheckBox4,focus CheckBox5,focus RadioGroup3,focus RadioGroup2,closed" \
  "Tab passes over a disabled group and a group without selection"

# The game list's rows are 12 pixels high below its 2-pixel frame.
start_program probe-mouse "$FOCUS_PROBE"
report="$GUI_TMP/probe-mouse.out"
read -r id wx wy _ < <(wait_window 'Corvanta Menu Ver 0\.57 .*')
wait_lines "$report" 1
move_pointer $((wx + 40)) $((wy + 2 + 3 * 12 + 6))
xdotool click --repeat 2 --delay 80 1
wait_lines "$report" 3
move_pointer $((wx + 40)) $((wy + 2 + 5 * 12 + 6))
xdotool click 1
move_pointer $((wx + 270)) $((wy + 264))  # Play!!
xdotool click 1
wait_lines "$report" 5
"$XPROBE" close "$id"
wait_exit "$PROGRAM_PID"
expect_eq "$(paste -sd, "$report")" \
  "focus RadioGroup1,focus ListBox1,double-click row 3,focus Button1,Play row 5,closed" \
  "double-click plays the row under the pointer; Play plays the selected row"
