#!/usr/bin/env bash
# The launcher's window on a real display: caption, client size, place, frame hints, icon, the
# application's name on its task-bar entry; it
# closes with exit code 0 and leaves nothing behind. Saves a screenshot to $SCREENSHOT if set.
source "$(dirname "$0")/lib.sh"
: "${LAUNCHER:?}"

start_display
move_pointer 0 0  # no hint over the window in the screenshot
start_program launcher "$LAUNCHER"
read -r id x y w h override name < <(wait_window 'Corvanta Menu Ver 0\.57    \[[^]]+\]')
echo "window $id: ${w}x$h at $x,$y: '$name'"
expect_eq "${w}x$h" "417x281" "client area"
expect_eq "$x,$y" "$(((SCREEN_W - 417) / 2)),$(((SCREEN_H - 281) / 2))" "centred on the screen"
expect_eq "$override" 0 "an ordinary top-level window"

hints=$("$XPROBE" hints "$id")
echo "$hints"
grep -qx "min 417x281" <<<"$hints" || fail "no fixed minimum size"
grep -qx "max 417x281" <<<"$hints" || fail "no fixed maximum size: resizable"
# Move and close only; border, title and system menu; no minimise or maximise box.
grep -qx "motif flags=3 functions=36 decorations=26" <<<"$hints" || fail "no dialog frame hints"
grep -qx "icon 32x32" <<<"$hints" || fail "no 32 x 32 window icon"

# The task bar and the icon name the application; the caption stays the window's own.
names=$("$XPROBE" names "$id")
expect_eq "$(grep '^WM_ICON_NAME ' <<<"$names")" "WM_ICON_NAME corvanta menu" "icon name"
expect_eq "$(grep '^_NET_WM_ICON_NAME ' <<<"$names")" "_NET_WM_ICON_NAME corvanta menu" \
  "icon name in UTF-8"
expect_eq "$(grep '^_NET_WM_NAME ' <<<"$names")" "_NET_WM_NAME $name" "caption"

shot="$GUI_TMP/window.png"
import -window "$id" "$shot"
expect_eq "$(identify -format '%wx%h' "$shot")" "417x281" "screenshot size"
# Not a blank window: the controls draw in several colours.
colours=$(convert "$shot" -format '%k' info:)
((colours > 8)) || fail "the window looks empty ($colours colours)"
if [[ -n "${SCREENSHOT:-}" ]]; then cp "$shot" "$SCREENSHOT"; fi

"$XPROBE" close "$id"
wait_exit "$PROGRAM_PID"
expect_eq "$EXIT_CODE" 0 "exit code after closing"
expect_eq "$(ls -A "$GUI_TMP/launcher")" "" "files left in the current folder"
expect_eq "$(cat "$GUI_TMP/launcher.out")" "" "standard output"
