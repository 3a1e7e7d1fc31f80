#!/usr/bin/env bash
# The menu entry that the Linux archive's script installs, read by the desktop's own parser
# (GLib's, through `gio launch`): from a folder whose name has Japanese characters, blanks and
# the characters that the entry's quoting rules name, the entry starts the launcher in that folder,
# which finds the emulator and the settings file there, wherever the menu itself runs. The entry
# passes desktop-file-validate; the script refuses a folder without the emulator or with a per
# cent sign in its name, moves the entry
# to the folder it is run from last, and removes it.
source "$(dirname "$0")/lib.sh"
: "${LAUNCHER:?}" "${STANDIN:?}" "${MENU_ENTRY:?}"

export HOME="$GUI_TMP/home" XDG_DATA_HOME=
entry="$HOME/.local/share/applications/corvanta-menu.desktop"
mkdir -p "$HOME"

# unpack FOLDER: what the archive holds, unpacked into FOLDER (the stand-in plays the emulator).
unpack() {
  mkdir -p "$1"
  cp "$LAUNCHER" "$1/corvanta-menu"
  cp "$MENU_ENTRY" "$1/corvanta-menu-entry"
}

# expect_refused FOLDER REASON: the folder's script refuses, saying REASON, and writes no entry.
expect_refused() {
  if "$1/corvanta-menu-entry" 2>"$GUI_TMP/refused.txt"; then fail "installed for $1"; fi
  grep -q "$2" "$GUI_TMP/refused.txt" || fail "$(cat "$GUI_TMP/refused.txt")"
  [[ ! -e "$entry" ]] || fail "an entry was written for $1"
}

# Refused where there is no emulator: nothing is installed.
bare="$GUI_TMP/no emulator"
unpack "$bare"
expect_refused "$bare" "no emulator (corvanta)"
echo "ok: no entry for a folder without the emulator"

# A per cent sign is refused: GLib's menus would look for the program under the doubled sign
# that the entry's rules ask for, and show nothing.
percent="$GUI_TMP/100% games"
unpack "$percent"
cp "$STANDIN" "$percent/corvanta"
expect_refused "$percent" "per cent sign"
echo "ok: no entry for a folder with a per cent sign"

folder="$GUI_TMP/ゲーム フォルダ \"1\" \$HOME \`x\` a\\b; it's (2) & <3> #4 ~"
unpack "$folder"
cp "$STANDIN" "$folder/corvanta"
touch "$folder/corvanta-menu.png"
"$folder/corvanta-menu-entry" >/dev/null
[[ -f "$entry" ]] || fail "no entry in $entry"
desktop-file-validate "$entry" || fail "the entry is not valid: $(cat "$entry")"
echo "ok: the entry is valid"
expect_eq "$(grep '^Path=' "$entry")" "Path=${folder//\\/\\\\}" "Path= names the folder"
expect_eq "$(grep '^Icon=' "$entry")" "Icon=${folder//\\/\\\\}/corvanta-menu.png" \
  "Icon= is the icon beside the launcher"

# Started as a desktop starts it, from elsewhere: the launcher runs in the folder, finds the
# emulator there and writes the settings file there.
start_display
log="$GUI_TMP/standin.log"
(cd / && CORVANTA_STANDIN_LOG="$log" gio launch "$entry") >"$GUI_TMP/gio.out" 2>"$GUI_TMP/gio.err" ||
  fail "gio launch: $(cat "$GUI_TMP/gio.err")"
read -r id wx wy _ < <(wait_window 'Corvanta Menu Ver 0\.57 .*')
move_pointer $((wx + 270)) $((wy + 264)) # Play!!
xdotool click 1
wait_lines "$log" 1
expect_eq "$(jq -r .cwd "$log")" "$folder" "the emulator ran in the folder"
[[ -f "$folder/corvanta.ini" ]] || fail "no corvanta.ini in the folder"
[[ ! -e "$HOME/corvanta.ini" && ! -e /corvanta.ini ]] || fail "a settings file elsewhere"
echo "ok: the launcher ran in the emulator's folder"
"$XPROBE" close "$id"
wait_no_window 'Corvanta Menu Ver 0\.57 .*'

# Installed from another emulator folder, the entry moves there; --remove takes it away.
other="$GUI_TMP/other"
unpack "$other"
cp "$STANDIN" "$other/corvanta"
"$other/corvanta-menu-entry" >/dev/null
expect_eq "$(grep '^Path=' "$entry")" "Path=$other" "the entry follows the last folder"
expect_eq "$(grep '^Icon=' "$entry")" "Icon=applications-games" "without the icon file"
"$other/corvanta-menu-entry" --remove >/dev/null
[[ ! -e "$entry" ]] || fail "--remove left $entry"
echo "ok: removed"
