# Sourced by the end-to-end scripts of the Windows launcher under Wine: their common steps.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# wait_for SECONDS COMMAND...: polls COMMAND every half second until it succeeds or SECONDS
# have passed.
wait_for() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.5
  done
}

# start_display [WIDTHxHEIGHT]: a screen of its own; Xvfb picks a free display and tells its
# number. Sets xvfb_pid (for the caller's clean-up) and DISPLAY.
start_display() {
  exec 3< <(Xvfb -displayfd 1 -screen 0 "${1:-1024x768}x24" -nolisten tcp 2>/dev/null)
  xvfb_pid=$!
  local display
  read -r -t 30 display <&3 || fail "Xvfb did not start"
  export DISPLAY=:$display
}
