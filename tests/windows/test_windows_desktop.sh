#!/usr/bin/env bash
# The Windows build under Wine on Xvfb with openbox, picom and an XEmbed tray: the first start centres a
# 32-bit clock and stores the nine values in the registry, clicks pass through its transparent pixels, a
# drag moves it and stores its place, the tray icon opens the settings, a second copy ends at once, and
# "Close" ends the program with code 0 and lets the next start run.
TICKORA_WINDOWS_BIN=${TICKORA_WINDOWS_BIN:-}
source "$(dirname "$0")/../desktop/harness.sh"
source "$SOURCE_DIR/scripts/wine-session.sh"
source "$HARNESS_DIR/settings_window.sh"
source "$(dirname "$0")/wine_desktop.sh"
readonly EXE="$TICKORA_WINDOWS_BIN/tickora.exe"
[ -f "$EXE" ] || skip "no Windows build at ${TICKORA_WINDOWS_BIN:-(TICKORA_WINDOWS_BIN unset)}; scripts/build-windows.sh makes it"
need_programs wine wineserver

desktop_start --desktop openbox --tray-width 48
on_cleanup wine_session_stop
wine_session_start "$TEST_TMP/wine" || fail "no Wine prefix"

readonly D=166 LEFT=$((SCREEN_W / 2 - 84)) TOP=$((SCREEN_H / 2 - 84))  # Round(W/2 - 167/2), to even
pad_start 0 0 "$SCREEN_W" "$SCREEN_H" 3a3a3a
mouse_to 5 5

windows_settings() {
  local w
  w=$(program_windows "$SETTINGS_TITLE" | head -n 1)
  [ -n "$w" ] && printf '0x%x\n' "$w"
}

spawn tickora-win wine "$EXE"
CLOCK_PID=$LAST_PID
wait_for "the clock window" 60 -- one_clock
CLOCK_WINDOW=$(clock_windows)
wait_for "the clock centred" -- geometry_is "$CLOCK_WINDOW" "$LEFT $TOP $D $D"
pass "first start: a 32-bit clock window, centred at $LEFT,$TOP"
for kv in Size=32 Algoritm=14 Clock_F=11 Clock_FF=50 Seconds=1 Arrows_Width=3 Dig_On_Off=1 Left=$LEFT Top=$TOP; do
  wait_for "${kv%%=*} in the registry" -- registry_is "${kv%%=*}" "${kv#*=}"
done
pass "the first start stored the nine values under HKCU\\Software\\Tickora"
wait_for "the settings window at the first start" -- windows_settings

# A corner lies outside the round face: the click belongs to the window below.
xdotool mousemove $((LEFT + 2)) $((TOP + 2)) click 1
wait_for "the click on the clock's corner to reach the window below" 10 -- \
  grep -qx "press $((LEFT + 2)) $((TOP + 2)) 1" "$PAD_LOG"
pass "a click on a transparent pixel reaches the window below"

# The 12 o'clock marker is drawn whatever the time: a drag from it moves the clock.
drag $((LEFT + 83)) $((TOP + 14)) $((LEFT + 83 + 150)) $((TOP + 14 + 80))
wait_for "the clock moved by the drag" -- geometry_is "$CLOCK_WINDOW" "$((LEFT + 150)) $((TOP + 80)) $D $D"
grep -q "press $((LEFT + 83)) $((TOP + 14)) " "$PAD_LOG" && fail "the press on the marker reached the window below"
wait_for "the new place in the registry" -- registry_is Left $((LEFT + 150))
wait_for "the new top in the registry" -- registry_is Top $((TOP + 80))
pass "a drag moved the clock and stored Left/Top $((LEFT + 150)),$((TOP + 80))"

# The first start shows the settings and the icon; a click on the icon shows the settings and takes
# the icon away, "Cancel" hides them and brings the icon back.
wait_for "the tray icon" -- windows_tray_icon
click_window_centre "$(windows_tray_icon)" 1
wait_for "the tray icon to go when the settings show" -- not windows_tray_icon
windows_settings >/dev/null || fail "the settings window is not shown after a click on the icon"
read -r sx sy _ _ < <(window_geometry "$(windows_settings)")
xdotool mousemove --sync $((sx + 312 + 30)) $((sy + 205 + 11)) click 1  # "Cancel"
wait_for "the settings to hide" -- not windows_settings
wait_for "the tray icon back" -- windows_tray_icon
pass "the tray icon opens the settings; Cancel hides them and brings the icon back"

started=$SECONDS
wine "$EXE" >"$TEST_TMP/second.log" 2>&1 || fail "the second copy ended with code $?"
[ $((SECONDS - started)) -le 15 ] || fail "the second copy took $((SECONDS - started)) s to end"
one_clock || fail "a second clock window appeared"
pass "a second copy ends at once with code 0, the first is untouched"

# "Close", the last item of the tray icon's menu.
tray_menu_choose 3
wait_exit "$CLOCK_PID" 20
[ "$EXIT_CODE" = 0 ] || fail "Close ended the program with code $EXIT_CODE"
wait_for "the clock window to go" -- sh -c '[ -z "$(xdotool search --all --onlyvisible --name "^Tickora$" 2>/dev/null)" ]'
pass "\"Close\" in the tray menu ends the program with code 0"

spawn tickora-win-2 wine "$EXE"
CLOCK_PID=$LAST_PID
wait_for "the clock of the next start" 60 -- one_clock
CLOCK_WINDOW=$(clock_windows)
wait_for "the clock at its stored place" -- geometry_is "$CLOCK_WINDOW" "$((LEFT + 150)) $((TOP + 80)) $D $D"
pass "after Close the next start runs, at the stored place"
