#!/usr/bin/env bash
# Without a display the launcher says which one it could not open and ends with 1.
source "$(dirname "$0")/lib.sh"
: "${LAUNCHER:?}"

n=4900
while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
rc=0
DISPLAY=":$n" "$LAUNCHER" 2>"$GUI_TMP/err" || rc=$?
expect_eq "$rc" 1 "exit code with an unusable display"
expect_eq "$(cat "$GUI_TMP/err")" "corvanta-menu: cannot open display ':$n'" "message"

rc=0
env -u DISPLAY "$LAUNCHER" 2>"$GUI_TMP/err" || rc=$?
expect_eq "$rc" 1 "exit code without DISPLAY"
expect_eq "$(cat "$GUI_TMP/err")" "corvanta-menu: cannot open display: DISPLAY is not set" "message"
