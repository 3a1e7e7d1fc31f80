#!/usr/bin/env bash
# The window at the display's scale: with the X resource Xft.dpi set as desktops set it (none,
# 144 for 150 %, 192 for 200 %), the client area, the controls' edges and the text grow by
# dpi/96, rounded so that controls that meet at 96 dpi still meet and those on the window's edge
# stay on it; the hint still follows the pointer across the scaled controls. Saves the
# screenshots to $SCREENSHOT_DIR/window-DPI.png if set.
source "$(dirname "$0")/lib.sh"
: "${LAUNCHER:?}"

face="srgb(192,192,192)"
pixel() { convert "$shot" -format "%[pixel:p{$1,$2}]" info:; }

for dpi in 96 144 192; do
  start_display
  # No setting at all is 96 dpi.
  [[ $dpi == 96 ]] || echo "Xft.dpi: $dpi" | xrdb -merge
  S() { echo $((($1 * dpi + 48) / 96)); }

  move_pointer 0 0
  start_program "launcher-$dpi" "$LAUNCHER"
  read -r id x y w h _ < <(wait_window 'Corvanta Menu Ver 0\.57    \[[^]]+\]')
  expect_eq "${w}x$h" "$(S 417)x$(S 281)" "$dpi dpi: client area"
  expect_eq "$x,$y" "$(((SCREEN_W - w) / 2)),$(((SCREEN_H - h) / 2))" "$dpi dpi: centred"
  hints=$("$XPROBE" hints "$id")
  grep -qx "max $(S 417)x$(S 281)" <<<"$hints" || fail "$dpi dpi: not fixed at its size: $hints"

  sleep 0.3
  shot="$GUI_TMP/window-$dpi.png"
  import -window "$id" "$shot"
  # Edges, each where the scaled layout puts it: the game list ends at 121, SoundCard's frame
  # starts at 128, Play!! spans 128..417 x 248..281; the window's right and bottom edges are
  # those of the controls on them.
  expect_eq "$(pixel $(($(S 121) - 1)) $(S 50))" "srgb(245,245,245)" "$dpi dpi: list's right edge"
  expect_eq "$(pixel $(S 121) $(S 50))" "$face" "$dpi dpi: past the list"
  expect_eq "$(pixel $(($(S 128) - 1)) $(S 50))" "$face" "$dpi dpi: before SoundCard"
  expect_eq "$(pixel $(S 128) $(S 50))" "srgb(85,85,85)" "$dpi dpi: SoundCard's left edge"
  expect_eq "$(pixel $(($(S 417) - 1)) $(S 30))" "srgb(255,255,255)" \
    "$dpi dpi: YM2151 Sample Rate on the right edge"
  expect_eq "$(pixel $(S 200) $(($(S 248) - 1)))" "$face" "$dpi dpi: above Play!!"
  expect_eq "$(pixel $(S 200) $(S 248))" "srgb(245,245,245)" "$dpi dpi: Play!!'s top edge"
  expect_eq "$(pixel $(($(S 417) - 1)) $(S 264))" "srgb(0,0,0)" "$dpi dpi: Play!! on the right edge"
  expect_eq "$(pixel $(S 200) $(($(S 281) - 1)))" "srgb(0,0,0)" "$dpi dpi: Play!! on the bottom edge"
  [[ -n "${SCREENSHOT_DIR:-}" ]] && cp "$shot" "$SCREENSHOT_DIR/window-$dpi.png"

  # The Resolution group's hint, over its scaled place, in a font of the scaled height.
  move_pointer $((x + $(S 260))) $((y + $(S 200)))
  for ((i = 0; i < 50; i++)); do
    tip=$(windows | awk '$6 == 1 && $7 != ""')
    [[ -n "$tip" ]] && break
    sleep 0.1
  done
  read -r _ _ _ _ tip_h _ tip_name <<<"$tip"
  expect_eq "$tip_name" "解像度の設定。" "$dpi dpi: the hint under the pointer"
  ((tip_h >= $(S 12) + 2 * $(S 3))) || fail "$dpi dpi: the hint is $tip_h pixels high"
  echo "ok: $dpi dpi: the hint is $tip_h pixels high"

  "$XPROBE" close "$id"
  wait_exit "$PROGRAM_PID"
  expect_eq "$EXIT_CODE" 0 "$dpi dpi: exit code after closing"
done
