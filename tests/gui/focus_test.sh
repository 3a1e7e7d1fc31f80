#!/usr/bin/env bash
# The keyboard on a real display, through a test build that prints focus changes and check-box
# clicks: Tab and Shift+Tab follow the window's Tab order, Space turns the focused check box
# and fires its OnClick; a disabled group and a radio group without selection are passed over.
source "$(dirname "$0")/lib.sh"
: "${FOCUS_PROBE:?}"

start_display

# run_keys SCENARIO KEYS...: starts the probe, presses KEYS with the pointer over the window,
# and leaves the probe's report in $report.
run_keys() {
  local scenario=$1
  shift
  start_program "probe-$scenario" "$FOCUS_PROBE" $scenario
  report="$GUI_TMP/probe-$scenario.out"
  read -r id wx wy _ < <(wait_window 'Corvanta Menu Ver 0\.57 .*')
  wait_lines "$report" 1
  # No window manager: the keyboard goes to the window under the pointer.
  xdotool mousemove --sync $((wx + 125)) $((wy + 150))
  local key
  for key in "$@"; do
    local before
    before=$(wc -l <"$report")
    xdotool key "$key"
    wait_lines "$report" $((before + 1)) 10
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

run_keys skip Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
expect_eq "$(paste -sd, "$report")" \
  "focus RadioGroup2,focus RadioGroup6,focus ListBox1,focus Button1,focus CheckBox1,focus CheckBox2,focus CheckBox3,focus CheckBox4,focus CheckBox5,focus RadioGroup3,focus RadioGroup2,closed" \
  "Tab passes over a disabled group and a group without selection"
