#!/usr/bin/env bash
# The launcher and the stand-in emulator together on a real display, driven by clicks as a user
# drives them: the options clicked reach the emulator's command line; a double-click plays the
# title under the pointer; what the emulator stored shows in the window after its run; ScanLine
# locks the resolution at 640 x 480; input given during a run starts no second run; closing
# without a Play leaves the settings file alone; a UTF-16 settings file with a second name is
# read and stored in its encoding through both names; a refused store gives its reason; a
# launcher started without descriptors 0-2 has /dev/null there, and so has the emulator, never
# the display connection; a missing emulator is reported.
source "$(dirname "$0")/lib.sh"
: "${LAUNCHER:?}" "${STANDIN:?}"

start_display

# Copies, not links: the launcher looks for the emulator in the folder of its own executable
# first, and a link would take it back to the build folder.
bin=$GUI_TMP/bin
mkdir -p "$bin"
cp "$LAUNCHER" "$bin/corvanta-menu"
cp "$STANDIN" "$bin/corvanta"

# start_launcher NAME [VARIABLE=VALUE...]: the launcher in its own folder $GUI_TMP/NAME, the
# stand-in's runs logged to $log, one JSON line each; waits until the window takes input.
start_launcher() {
  local name=$1
  shift
  log=$GUI_TMP/$name.log
  : >"$log"
  start_program "$name" "$(command -v env)" "CORVANTA_STANDIN_LOG=$log" "$@" \
    "${LAUNCHER_COPY:-$bin/corvanta-menu}"
  read -r id wx wy _ < <(wait_window 'Corvanta Menu Ver 0\.57 .*')
  wait_idle "$PROGRAM_PID"
}

close_launcher() {
  "$XPROBE" close "$id"
  wait_exit "$PROGRAM_PID"
  expect_eq "$EXIT_CODE" 0 "exit code after closing"
}

# Where to click, in the window's client area. List rows are 12 pixels high below the list's
# 2-pixel frame. A radio group shares its height under the caption evenly among its buttons
# (TRadioGroup::ButtonBounds, with the font's 12-pixel text height).
# click_at X Y [CLICK OPTIONS]: the move and the click in one go, so that no hint window shows
# between them. (--sync waits for a motion, which never comes if the pointer is there already.)
click_at() {
  local X Y SCREEN WINDOW
  eval "$(xdotool getmouselocation --shell)"
  if [[ "$X,$Y" == "$((wx + $1)),$((wy + $2))" ]]; then
    xdotool click "${@:3}" 1
  else
    xdotool mousemove --sync $((wx + $1)) $((wy + $2)) click "${@:3}" 1
  fi
}
row_y() { echo $((2 + $1 * 12 + 6)); }
radio_y() {  # TOP HEIGHT COUNT INDEX: the middle of button INDEX
  local below=$(($2 - 12 - 5))
  local step=$((below / $3))
  echo $(($1 + 12 + 1 + (below % $3) / 2 + $4 * step + step / 2))
}
pick_game() { click_at 40 "$(row_y "$1")"; }
double_click_game() { click_at 40 "$(row_y "$1")" --repeat 2 --delay 80; }
pick_sound_card() { click_at $((128 + 20)) "$(radio_y 0 105 8 "$1")"; }
pick_rate() { click_at $((328 + 20)) "$(radio_y 0 57 3 "$1")"; }
pick_resolution() { click_at $((224 + 20)) "$(radio_y 160 81 3 "$1")"; }
pick_skip() { click_at $((128 + 20)) "$(radio_y 160 81 5 "$1")"; }
toggle_vsync() { click_at $((320 + 8 + 20)) $((112 + 16 + 8)); }
toggle_scanline() { click_at $((128 + 8 + 20)) $((112 + 16 + 8)); }
toggle_joystick() { click_at $((320 + 8 + 20)) $((200 + 16 + 8)); }
play() { click_at $((128 + 289 / 2)) $((248 + 33 / 2)); }

# run ACTION...: ACTION starts a run; waits for its line in the log and for the window to take
# input again, then sets run_argv and run_settings from that line.
run() {
  local before line
  before=$(wc -l <"$log")
  "$@"
  wait_lines "$log" $((before + 1))
  wait_idle "$PROGRAM_PID"
  [[ $(wc -l <"$log") == $((before + 1)) ]] || fail "more than one run: $(cat "$log")"
  line=$(sed -n "$((before + 1))p" "$log")
  run_argv=$(grep -o '"argv":\[[^]]*\]' <<<"$line")
  run_argv=${run_argv#\"argv\":}
  run_settings=$(grep -o '"settings":{[^}]*}' <<<"$line")
  run_settings=${run_settings#\"settings\":}
}

# settings SOUNDCARD OLD2151 VSYNC RDTSC EAGLE SCANLINES: the stored options as the log shows them.
settings() {
  printf '{"sound.soundcard":"%s","sound.old2151":"%s","screen.vsync":"%s","general.rdtsc":"%s","screen.eagle":"%s","screen.scanlines":"%s"}' "$@"
}

echo "== options chosen by clicks reach the command line"
start_launcher choices
pick_game 11
pick_sound_card 3
pick_rate 2
pick_resolution 2
pick_skip 4
toggle_joystick
toggle_vsync
run play
expect_eq "$run_argv" '["corvanta","PASSSHTB","-r","44100","-rx","640","-ry","480","-frame","5","-joy"]' \
  "Passing Shot, 44100 Hz, 640 x 480, frame 5, joystick"
expect_eq "$run_settings" "$(settings 3 0 1 1 0 0)" "sound card and Vsync stored before the start"
expect_eq "$(grep -o '"cwd":"[^"]*"' "$log")" "\"cwd\":\"$(realpath "$GUI_TMP/choices")\"" \
  "the emulator runs in the launcher's folder"
expect_eq "$(grep -o '"fds":\[[^]]*\]' "$log")" '"fds":[0,1,2]' "the emulator inherits no descriptor"

pick_game 14
pick_rate 0
pick_resolution 1
pick_skip 2
run play
expect_eq "$run_argv" '["corvanta","SDI","-r","11025","-rx","400","-ry","300","-frame","3","-joy"]' \
  "S.D.I, 11025 Hz, 400 x 300, frame 3, joystick"

pick_game 11
pick_resolution 0
pick_skip 0
toggle_joystick
run play
expect_eq "$run_argv" '["corvanta","PASSSHTB","-r","11025","-rx","320","-ry","240","-frame","1","-nojoy"]' \
  "Passing Shot, 11025 Hz, 320 x 240, frame 1, no joystick"

pick_game 0
pick_rate 1
run play
expect_eq "$run_argv" '["corvanta","ALIENSYN","-r","22050","-rx","320","-ry","240","-frame","1","-nojoy"]' \
  "Alien Syndrome, 22050 Hz, 320 x 240, frame 1, no joystick"

echo "== a double-click plays the title under the pointer, which stays selected"
run double_click_game 5
expect_eq "$run_argv" '["corvanta","GOLDNAXE","-r","22050","-rx","320","-ry","240","-frame","1","-nojoy"]' \
  "double-click on Golden Axe"
run play
expect_eq "$run_argv" '["corvanta","GOLDNAXE","-r","22050","-rx","320","-ry","240","-frame","1","-nojoy"]' \
  "Play after the double-click"
close_launcher

echo "== what the emulator stored shows after its run"
# STORED: what the stand-in stores over its own write-back; AFTER: the next Play's rate and width.
while read -r stored after; do
  start_launcher "stored-${stored//[^0-9]/}" "CORVANTA_STANDIN_SET=$stored"
  pick_rate 2
  pick_resolution 2
  run play
  expect_eq "$run_argv" '["corvanta","ALIENSYN","-r","44100","-rx","640","-ry","480","-frame","1","-nojoy"]' \
    "first Play"
  run play
  expect_eq "$run_argv" "$after" "next Play after the emulator stored $stored"
  close_launcher
done <<'EOF'
sound.samplerate=11025;screen.xres=400 ["corvanta","ALIENSYN","-r","11025","-rx","400","-ry","300","-frame","1","-nojoy"]
sound.samplerate=48000;screen.xres=800 ["corvanta","ALIENSYN","-r","44100","-rx","640","-ry","480","-frame","1","-nojoy"]
EOF

echo "== ScanLine locks the resolution at 640 x 480"
start_launcher scanline
toggle_scanline
pick_resolution 0  # locked: no effect
run play
expect_eq "$run_argv" '["corvanta","ALIENSYN","-r","22050","-rx","640","-ry","480","-frame","1","-nojoy"]' \
  "ScanLine on, then a click on 320 x 240"
expect_eq "$run_settings" "$(settings 0 0 0 1 0 1)" "scan lines stored"
toggle_scanline
run play
expect_eq "$run_argv" '["corvanta","ALIENSYN","-r","22050","-rx","640","-ry","480","-frame","1","-nojoy"]' \
  "ScanLine off keeps 640 x 480"
expect_eq "$run_settings" "$(settings 0 0 0 1 0 0)" "scan lines off stored"
pick_resolution 0  # free again: the same click takes
run play
expect_eq "$run_argv" '["corvanta","ALIENSYN","-r","22050","-rx","320","-ry","240","-frame","1","-nojoy"]' \
  "320 x 240 once unlocked"
close_launcher

echo "== input given during a run starts no second run"
start_launcher busy CORVANTA_STANDIN_SLEEP_MS=3000
play
wait_lines "$log" 1
play          # on the button that has the focus since the first click
xdotool key space Return
nr=
read -r nr _ <"/proc/$PROGRAM_PID/syscall"
[[ "$nr" == 61 ]] || fail "the run was over before the input was given (system call $nr)"
wait_idle "$PROGRAM_PID"
expect_eq "$(wc -l <"$log")" 1 "runs after a click, Space and Enter during the run"
run play
expect_eq "$run_argv" '["corvanta","ALIENSYN","-r","22050","-rx","320","-ry","240","-frame","1","-nojoy"]' \
  "a click after the run plays"
close_launcher

echo "== closing without a Play leaves the settings file alone"
mkdir -p "$GUI_TMP/untouched"
printf '; kept as it is\r\n[sound]\r\nsoundcard = 2\r\nsamplerate=44100\r\n[screen]\r\nscanlines=0\r\n' \
  >"$GUI_TMP/untouched/corvanta.ini"
touch -d '2001-02-03 04:05:06' "$GUI_TMP/untouched/corvanta.ini"
before=$(stat -c '%i %s %Y %Z' "$GUI_TMP/untouched/corvanta.ini"; sha256sum <"$GUI_TMP/untouched/corvanta.ini")
start_launcher untouched
toggle_scanline
pick_sound_card 5
pick_rate 0
toggle_vsync
wait_idle "$PROGRAM_PID"
close_launcher
after=$(stat -c '%i %s %Y %Z' "$GUI_TMP/untouched/corvanta.ini"; sha256sum <"$GUI_TMP/untouched/corvanta.ini")
expect_eq "$after" "$before" "settings file: inode, size, times and bytes"
expect_eq "$(ls -A "$GUI_TMP/untouched")" "corvanta.ini" "files in the folder"
expect_eq "$(wc -l <"$log")" 0 "runs"

echo "== a Japanese user's settings file: UTF-16, a second name, a refused store's reason"
# Notepad's "Unicode" (UTF-16 with its byte-order mark), with a second name beside the folder.
mkdir -p "$GUI_TMP/unicode"
{
  printf '\xff\xfe'
  printf '; 設定\r\n[screen]\r\nscanlines=1\r\neagle=1\r\n' | iconv -f UTF-8 -t UTF-16LE
} >"$GUI_TMP/unicode/corvanta.ini"
ln "$GUI_TMP/unicode/corvanta.ini" "$GUI_TMP/unicode-second-name.ini"
start_launcher unicode
run play
expect_eq "$run_settings" "$(settings 0 0 0 1 1 1)" "scan lines and Eagle read from the UTF-16 file"
expect_eq "$(head -c 2 "$GUI_TMP/unicode/corvanta.ini" | od -An -tx1 | tr -d ' ')" fffe \
  "the byte-order mark stays"
decoded=$(iconv -f UTF-16 -t UTF-8 "$GUI_TMP/unicode/corvanta.ini" | tr -d '\r') ||
  fail "the file is no longer UTF-16"
for line in '; 設定' '[screen]' 'scanlines=1' 'eagle=1' 'vsync=0' '[general]' 'rdtsc=1'; do
  grep -qxF "$line" <<<"$decoded" || fail "line '$line' missing from: $decoded"
done
echo "ok: the stored lines are UTF-16 among the file's own"
cmp -s "$GUI_TMP/unicode/corvanta.ini" "$GUI_TMP/unicode-second-name.ini" ||
  fail "the second name of the file kept the old text"
echo "ok: both names of the file hold the stored values"
close_launcher

mkdir -p "$GUI_TMP/readonly"
printf '[sound]\r\nsoundcard=2\r\n' >"$GUI_TMP/readonly/corvanta.ini"
chmod 444 "$GUI_TMP/readonly/corvanta.ini"
start_launcher readonly
play
text=$(copy_box)
grep -qxF "$(realpath "$GUI_TMP/readonly")/corvanta.ini に書き込めません: Permission denied." <<<"$text" ||
  fail "box text: $text"
echo "ok: the error box gives the system's reason"
xdotool key Return
wait_no_window 'corvanta menu'
wait_idle "$PROGRAM_PID"
expect_eq "$(wc -l <"$log")" 0 "runs after a refused store"
close_launcher

echo "== a launcher started without descriptors 0, 1 and 2"
# As a desktop or a service may start it. Its own connection to the display must not take one
# of the three: the emulator would get it as its input, and a message to the error output would
# go into the display's stream. The three are /dev/null in the launcher and in the emulator.
mkdir -p "$GUI_TMP/closed"
log=$GUI_TMP/closed.log
: >"$log"
(cd "$GUI_TMP/closed" &&
  exec env CORVANTA_STANDIN_LOG="$log" CORVANTA_STANDIN_SLEEP_MS=2000 "$bin/corvanta-menu" \
    <&- >&- 2>&-) &
PROGRAM_PID=$!
GUI_PIDS+=("$PROGRAM_PID")
read -r id wx wy _ < <(wait_window 'Corvanta Menu Ver 0\.57 .*')
wait_idle "$PROGRAM_PID"
descriptors() { for fd in 0 1 2; do readlink "/proc/$1/fd/$fd" || echo closed; done | paste -sd ' '; }
expect_eq "$(descriptors "$PROGRAM_PID")" "/dev/null /dev/null /dev/null" "the launcher's 0, 1 and 2"
play
wait_lines "$log" 1
emulator=$(pgrep -P "$PROGRAM_PID" -x corvanta) || fail "the emulator is not running"
expect_eq "$(descriptors "$emulator")" "/dev/null /dev/null /dev/null" "the emulator's 0, 1 and 2"
wait_idle "$PROGRAM_PID"
close_launcher

echo "== a missing emulator is reported"
mkdir -p "$GUI_TMP/alone"
cp "$LAUNCHER" "$GUI_TMP/alone/corvanta-menu"
LAUNCHER_COPY=$GUI_TMP/alone/corvanta-menu start_launcher missing PATH=/nonexistent
play
text=$(copy_box)
grep -qx "corvanta を起動できません: No such file or directory." <<<"$text" || fail "box text: $text"
echo "ok: the error box names the reason"
xdotool key Return
wait_no_window 'corvanta menu'
wait_idle "$PROGRAM_PID"
grep -qx "scanlines=0" "$GUI_TMP/missing/corvanta.ini" || fail "options not stored before the start"
close_launcher
