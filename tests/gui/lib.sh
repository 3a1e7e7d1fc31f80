# Shared by the tests on a real display. Each test gets its own Xvfb, its own scratch folder,
# and takes both down when it ends.
set -euo pipefail

: "${XPROBE:?}"
SCREEN_W=1024
SCREEN_H=768
GUI_TMP=$(mktemp -d)
GUI_PIDS=()

gui_cleanup() {
  local pid
  for pid in "${GUI_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${GUI_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$GUI_TMP"
}
trap gui_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  local err
  for err in "$GUI_TMP"/*.err; do
    [[ -s "$err" ]] && { echo "--- $(basename "$err"):" >&2; head -c 6000 "$err" >&2; }
  done
  exit 1
}

expect_eq() {  # ACTUAL EXPECTED WHAT
  [[ "$1" == "$2" ]] || fail "$3: got '$1', expected '$2'"
  echo "ok: $3"
}

# start_display: a private Xvfb on a free display number, away from the low numbers that
# desktops and other tools take; DISPLAY names it once it answers. No reset when the last client
# goes: a server in the middle of a reset turns the next client away.
start_display() {
  local attempt n pid i
  for ((attempt = 0; attempt < 20; attempt++)); do
    n=$((300 + RANDOM % 600))
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 ${SCREEN_W}x${SCREEN_H}x24 -nolisten tcp -noreset >"$GUI_TMP/xvfb.log" 2>&1 &
    pid=$!
    for ((i = 0; i < 300; i++)); do
      # The server that answers must be ours: with two tests after the same number, the one
      # whose server lost the race would drive the other's windows. The lock names the winner.
      if DISPLAY=":$n" "$XPROBE" windows >/dev/null 2>&1 &&
        [[ $(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock") == "$pid" ]]; then
        GUI_PIDS+=("$pid")
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$pid" 2>/dev/null || break  # lost the race for that number: try another
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  cat "$GUI_TMP/xvfb.log" >&2
  fail "Xvfb did not start"
}

# start_program NAME COMMAND...: runs COMMAND in a scratch folder of its own, output to NAME.out.
start_program() {
  local name=$1 program
  program=$(realpath "$2")
  shift 2
  mkdir -p "$GUI_TMP/$name"
  (cd "$GUI_TMP/$name" && exec "$program" "$@") </dev/null >"$GUI_TMP/$name.out" 2>"$GUI_TMP/$name.err" &
  PROGRAM_PID=$!
  GUI_PIDS+=("$PROGRAM_PID")
}

# wait_exit PID [SECONDS]: sets EXIT_CODE to the exit code of PID once it has ended. (Not in a
# command substitution: only this shell can collect its child.)
wait_exit() {
  local pid=$1 limit=${2:-30} i
  for ((i = 0; i < limit * 10; i++)); do
    if ! kill -0 "$pid" 2>/dev/null; then
      EXIT_CODE=0
      wait "$pid" || EXIT_CODE=$?
      return 0
    fi
    sleep 0.1
  done
  fail "process $pid did not end within $limit s"
}

# move_pointer X Y: moves the pointer to the screen position and waits until it is there.
# (xdotool's --sync waits for a motion, which never comes if the pointer is there already.)
move_pointer() {
  local X Y SCREEN WINDOW
  eval "$(xdotool getmouselocation --shell)"
  [[ "$X,$Y" == "$1,$2" ]] || xdotool mousemove --sync "$1" "$2"
}

# Mapped top-level windows, one a line: id x y width height override name.
windows() { "$XPROBE" windows; }

# find_window REGEX: the line of the mapped window whose name matches REGEX fully, if any.
find_window() {
  local id x y w h o name
  while read -r id x y w h o name; do
    if [[ "$name" =~ ^$1$ ]]; then
      echo "$id $x $y $w $h $o $name"
      return 0
    fi
  done < <(windows)
  return 1
}

# wait_window REGEX [SECONDS]: waits for a mapped window named so, prints its line.
wait_window() {
  local limit=${2:-60} i
  for ((i = 0; i < limit * 10; i++)); do
    find_window "$1" && return 0
    sleep 0.1
  done
  windows >&2
  fail "no window named /$1/ within $limit s"
}

wait_no_window() {
  local limit=${2:-10} i
  for ((i = 0; i < limit * 10; i++)); do
    find_window "$1" >/dev/null || return 0
    sleep 0.1
  done
  fail "window /$1/ still there after $limit s"
}

# tooltips: the names of the mapped override-redirect windows (hints, menus).
tooltips() {
  local id x y w h o name
  while read -r id x y w h o name; do
    [[ "$o" == 1 ]] && echo "$name"
  done < <(windows)
  return 0
}

# copy_box: the error box's text, as its Ctrl+C copies it.
copy_box() {
  read -r box bx by bw bh _ < <(wait_window 'corvanta menu')
  move_pointer $((bx + bw / 2)) $((by + 10))
  xdotool key ctrl+c
  local i
  for ((i = 0; i < 100; i++)); do
    xclip -o -selection clipboard 2>/dev/null && return 0
    sleep 0.1
  done
  fail "nothing copied from the error box"
}

# wait_lines FILE COUNT [SECONDS]: waits until FILE has COUNT lines.
wait_lines() {
  local limit=${3:-30} i
  for ((i = 0; i < limit * 10; i++)); do
    [[ -f "$1" && $(wc -l <"$1") -ge $2 ]] && return 0
    sleep 0.1
  done
  cat "$1" >&2 || true
  fail "$1 did not reach $2 lines within $limit s"
}

# wait_idle PID [SECONDS]: waits until the program is back in its message loop, blocked in
# select() for the next event. Not while it waits for a child (wait4), nor while it drops the
# input that came during a run (a round trip to the server, in poll()): a click sent before that
# is dropped. The system call is read by this shell itself, the program's parent.
wait_idle() {
  local pid=$1 limit=${2:-60} i nr waits
  case $(uname -m) in
    x86_64) waits='^(23|270)$' ;;  # select, pselect6
    aarch64) waits='^72$' ;;       # pselect6
    *) fail "wait_idle: the system call numbers of $(uname -m) are not known here" ;;
  esac
  for ((i = 0; i < limit * 20; i++)); do
    nr=
    read -r nr _ 2>/dev/null <"/proc/$pid/syscall" || kill -0 "$pid" 2>/dev/null ||
      fail "process $pid ended while waiting for it to be idle"
    [[ -n "$nr" ]] || fail "cannot read /proc/$pid/syscall"
    [[ "$nr" =~ $waits ]] && return 0
    sleep 0.05
  done
  fail "process $pid not idle within $limit s (last system call: $nr)"
}
