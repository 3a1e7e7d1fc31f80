#!/usr/bin/env bash
# Hints on a real display: a Resolution radio button shows its group's hint, the ScanLine box
# its group box's, the Eagle graphics box none.
source "$(dirname "$0")/lib.sh"
: "${LAUNCHER:?}"

start_display
start_program launcher "$LAUNCHER"
read -r id wx wy _ < <(wait_window 'Corvanta Menu Ver 0\.57 .*')

# point_at X Y: rests the pointer at client coordinates X, Y of the window.
point_at() { move_pointer $((wx + $1)) $((wy + $2)); }

point_at 250 192  # the first button of Resolution (group at 224,160)
wait_window '解像度の設定。' 30 >/dev/null
expect_eq "$(tooltips)" "解像度の設定。" "hint over a Resolution button"

point_at 234 134  # the Eagle graphics check box (group box at 224,112; box at 8,16)
wait_no_window '解像度の設定。'
sleep 2  # four times the delay after which a hint shows
expect_eq "$(tooltips)" "" "hint over the Eagle graphics box"

point_at 138 134  # the ScanLine check box (group box at 128,112)
wait_window '走査線モード！' 30 >/dev/null
expect_eq "$(tooltips)" "走査線モード！" "hint over the ScanLine box"

point_at 40 200  # the game list
wait_window 'ゲーム名。' 30 >/dev/null
echo "ok: hint over the game list"
