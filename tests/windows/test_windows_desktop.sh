#!/usr/bin/env bash
# The Windows build under Wine on Xvfb with openbox, picom and an XEmbed tray: the first start centres a
# 32-bit clock and stores the nine values in the registry, clicks pass through its transparent pixels, a
# drag moves it and stores its place, the tray icon opens the settings, a second copy shows them and ends
# at once, a captionless window covering the monitor hides the clock, and
# "Close" ends the program with code 0 and lets the next start run. Then the portable zip's files, and
# the installer for a user folder the ANSI code page cannot spell: install over the running clock, start
# at login from there, install again, uninstall, and install over a clock that is still starting.
TICKORA_WINDOWS_BIN=${TICKORA_WINDOWS_BIN:-}
source "$(dirname "$0")/../desktop/harness.sh"
source "$SOURCE_DIR/scripts/wine-session.sh"
source "$HARNESS_DIR/settings_window.sh"
readonly EXE="$TICKORA_WINDOWS_BIN/tickora.exe"
VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$TICKORA_WINDOWS_BIN/CMakeCache.txt" 2>/dev/null || true)
readonly SETUP="$TICKORA_WINDOWS_BIN/tickora-setup-$VERSION.exe" ZIP="$TICKORA_WINDOWS_BIN/tickora-$VERSION-win64.zip"
[ -f "$EXE" ] && [ -f "$SETUP" ] ||
  skip "no Windows build at ${TICKORA_WINDOWS_BIN:-(TICKORA_WINDOWS_BIN unset)}; scripts/package-windows.sh makes it"
need_programs wine wineserver iconv

zip_files=$("$PYTHON" -m zipfile -l "$ZIP" | awk 'NR > 1 {sub(/^[^\/]*\//, "", $1); print $1}' | sort | xargs)
[ "$zip_files" = "LICENSE.txt README.md tickora.exe" ] || fail "the portable zip holds: $zip_files"

desktop_start --desktop openbox --tray-width 48
on_cleanup wine_session_stop
wine_session_start "$TEST_TMP/wine" || fail "no Wine prefix"

readonly D=166 LEFT=$((SCREEN_W / 2 - 84)) TOP=$((SCREEN_H / 2 - 84))  # Round(W/2 - 167/2), to even
pad_start 0 0 "$SCREEN_W" "$SCREEN_H" 3a3a3a
mouse_to 5 5

# registry VALUE: the stored value as a signed 32-bit integer, or nothing.
registry() {
  local hex
  hex=$(wine reg query 'HKCU\Software\Tickora' /v "$1" 2>/dev/null | tr -d '\r' | awk -v v="$1" '$1 == v && $2 == "REG_DWORD" {print $3}')
  [ -n "$hex" ] || return 1
  echo $(((hex ^ 0x80000000) - 0x80000000))
}
registry_is() { [ "$(registry "$1")" = "$2" ]; }
# registry_data KEY NAME: the value unescaped from reg export's UTF-16 (not reg query's console code page).
registry_data() {
  wine reg export "$1" "Z:${TEST_TMP//\//\\}\\export.reg" /y >/dev/null 2>&1 &&
    iconv -f UTF-16LE -t UTF-8 "$TEST_TMP/export.reg" | tr -d '\r' | sed -n "s/^\"$2\"=//p" |
    sed 's/^"\(.*\)"$/\1/; s/\\"/"/g; s/\\\\/\\/g' | grep .
}
registry_data_is() { [ "$(registry_data "$1" "$2")" = "$3" ]; }

# Viewable windows of the program (Wine gives them its file name as their class) titled by pattern $1.
program_windows() {
  local w
  for w in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
    xprop -id "$w" WM_CLASS 2>/dev/null | grep -q '"tickora.exe"' && echo "$w"
  done
  return 0
}
# The clock windows of every copy.
clock_windows() {
  local w
  for w in $(program_windows '^Tickora$'); do
    [ "$(window_field "$w" Depth)" = 32 ] && printf '0x%x\n' "$w"
  done
  return 0
}
one_clock() { [ "$(clock_windows | wc -l)" = 1 ]; }
not() { ! "$@"; }
# The icon docked in the tray: Wine's explorer.exe keeps it, a small window inside the tray host.
windows_tray_icon() {
  local w g
  for w in $(xdotool search --onlyvisible --classname '^explorer\.exe$' 2>/dev/null); do
    g=$(window_geometry "$w") || continue
    # shellcheck disable=SC2086
    set -- $g
    if [ "$3" -le 48 ] && [ "$4" -le 48 ]; then
      printf '0x%x\n' "$w"
      return 0
    fi
  done
  return 1
}
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
xdotool mousemove --sync $((sx + 312 + 30)) $((sy + 241 + 11)) click 1  # "Cancel"
wait_for "the settings to hide" -- not windows_settings
wait_for "the tray icon back" -- windows_tray_icon
pass "the tray icon opens the settings; Cancel hides them and brings the icon back"

started=$SECONDS
wine "$EXE" >"$TEST_TMP/second.log" 2>&1 || fail "the second copy ended with code $?"
[ $((SECONDS - started)) -le 15 ] || fail "the second copy took $((SECONDS - started)) s to end"
# A window search that meets the second copy's windows going away may come back short: asked again.
poll 3 one_clock || fail "$(clock_windows | wc -l) clock windows after a second start, not one"
wait_for "the first copy's settings window" -- windows_settings
"$PYTHON" "$XTOOL" close "$(windows_settings)"  # its close box
wait_for "the settings to hide" -- not windows_settings
pass "a second copy shows the first one's settings window and ends at once with code 0"

# "Close", the last item of the tray icon's menu.
popup_menu() {
  local w
  for w in $(program_windows ''); do
    [ "$(window_field "$w" "Override Redirect State")" = yes ] && [ "$(window_field "$w" Depth)" != 32 ] &&
      printf '0x%x\n' "$w" && return 0
  done
  return 1
}
click_window_centre "$(windows_tray_icon)" 3
wait_for "the tray menu" -- popup_menu
read -r mx my mw mh < <(window_geometry "$(popup_menu)")
xdotool mousemove --sync $((mx + mw / 2)) $((my + mh - 8)) click 1
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

# A captionless window covering the monitor, in the foreground, hides the clock until it goes.
spawn fullscreen wine "$TICKORA_WINDOWS_BIN/test-fullscreen.exe"
wait_for "the clock hidden over the full-screen window" 10 -- not one_clock
kill "$LAST_PID"
wait_for "the clock back" 5 -- one_clock
pass "a captionless window covering the monitor hides the clock; its end brings it back"

export LC_ALL=C.UTF-8  # Wine passes arguments and paths on in the locale's character set
readonly DIR='C:\users\Łukasz\AppData\Local\Programs\Tickora' UNIX_DIR="$WINEPREFIX/drive_c/users/Łukasz/AppData/Local/Programs/Tickora"
readonly UNINSTALL='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tickora'
readonly RUN='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
readonly SHIPPED="$TICKORA_WINDOWS_BIN/dist/tickora-$VERSION-win64/tickora.exe"
shortcut() { find "$WINEPREFIX/drive_c/users" -path '*/Start Menu/Programs/Tickora.lnk' | grep -q .; }
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' /v 'Local AppData' \
  /t REG_EXPAND_SZ /d 'C:\users\Łukasz\AppData\Local' /f >/dev/null 2>&1 || fail "cannot move the user's folder"
wine "$SETUP" /S || fail "the silent install ended with code $?"
wait_exit "$CLOCK_PID" 20
[ "$EXIT_CODE" = 0 ] || fail "the install ended the running clock with code $EXIT_CODE"
cmp -s "$UNIX_DIR/tickora.exe" "$SHIPPED" || fail "$DIR holds no tickora.exe as shipped"
[ -f "$UNIX_DIR/uninstall.exe" ] && shortcut || fail "no uninstaller or no Start menu shortcut"
for kv in "DisplayName=Tickora" "DisplayVersion=$VERSION" "Publisher=The Tickora developers" \
  "DisplayIcon=$DIR\tickora.exe,0" "UninstallString=\"$DIR\uninstall.exe\"" NoModify=dword:00000001 \
  NoRepair=dword:00000001; do
  registry_data_is "$UNINSTALL" "${kv%%=*}" "${kv#*=}" || fail "${kv%%=*} for Apps & features is $(registry_data "$UNINSTALL" "${kv%%=*}")"
done
[ $((16#$(registry_data "$UNINSTALL" EstimatedSize | cut -d: -f2))) -ge 500 ] || fail "a size under 500 KiB"
wait_for "the installed clock" 60 -- one_clock
pass "a silent install over the running clock closes it, puts the program in $DIR with its shortcut and entry, and starts it"

click_window_centre "$(windows_tray_icon)" 3
wait_for "the tray menu" -- popup_menu
read -r mx my mw mh < <(window_geometry "$(popup_menu)")
xdotool mousemove --sync $((mx + mw / 2)) $((my + mh * 5 / 12)) click 1  # "Start at login", the third of six
wait_for "the Run value" -- registry_data_is "$RUN" Tickora "\"$DIR\tickora.exe\""
pass "\"Start at login\" names the installed program with every letter of its folder"

# Marked from outside Windows, which keeps a running program's file from changing: written anew or not.
echo stale >>"$UNIX_DIR/tickora.exe"
clock_pid() { xdotool getwindowpid "$(clock_windows)" 2>/dev/null; }
before=$(clock_pid) && [ -n "$before" ] || fail "the clock window names no process"
wine "$SETUP" /S || fail "the second install ended with code $?"
cmp -s "$UNIX_DIR/tickora.exe" "$SHIPPED" || fail "the second install left the program as it was"
new_clock() { one_clock && [ "$(clock_pid)" != "$before" ]; }
wait_for "a new clock" 60 -- new_clock
pass "installing again replaces the running program and starts it again"

wine "$DIR\uninstall.exe" /S || fail "the silent uninstall ended with code $?"
wait_for "the program folder to go" 60 -- not test -e "$UNIX_DIR"  # the uninstaller runs on from a copy
wait_for "the clock to end" -- not one_clock
not registry_data "$UNINSTALL" DisplayName && not registry_data "$RUN" Tickora || fail "the entry or Run value is left"
shortcut && fail "the uninstaller left the Start menu shortcut"
registry_is Left $((LEFT + 150)) && registry_is Size 32 || fail "the uninstaller took the user's settings"
pass "a silent uninstall removes the program, its shortcut, entry and Run value, and keeps the settings"

# A portable copy's "Start at login" is the user's own: the uninstaller of an installed clock leaves it.
wine "$SETUP" /S || fail "the install after the uninstall ended with code $?"
readonly PORTABLE='"C:\users\Łukasz\Desktop\tickora\tickora.exe"'
wine reg add "$RUN" /v Tickora /t REG_SZ /d "$PORTABLE" /f >/dev/null 2>&1 || fail "cannot name a portable copy in Run"
wine "$DIR\uninstall.exe" /S || fail "the second uninstall ended with code $?"
wait_for "the program folder to go" 60 -- not test -e "$UNIX_DIR"
registry_data_is "$RUN" Tickora "$PORTABLE" || fail "the uninstaller took the portable copy's Run value: $(registry_data "$RUN" Tickora)"
wine reg delete "$RUN" /v Tickora /f >/dev/null 2>&1
pass "the uninstaller leaves a Run value that names a portable copy"

# A clock that answers nothing (stopped): the installer asks it to close, gives it ten seconds and
# then gives up (silently, as Cancel), leaving nothing behind.
spawn tickora-win-3 wine "$EXE"
CLOCK_PID=$LAST_PID
wait_for "the clock to stop" 60 -- one_clock
hung=$(clock_pid) && [ -n "$hung" ] || fail "the clock window names no process"
kill -STOP "$hung"
started=$SECONDS
status=0
timeout 200 wine "$SETUP" /S || status=$?
took=$((SECONDS - started))
kill -CONT "$hung"
[ "$status" = 2 ] || fail "the install over a hung clock ended with code $status after $took s"
[ "$took" -le 40 ] || fail "the install waited $took s for a hung clock"
test -e "$UNIX_DIR" && fail "the install over a hung clock left $DIR"
wait_exit "$CLOCK_PID" 20  # the close it was asked for, once it runs again
pass "an install over a hung clock gives up after $took s with code 2 and leaves nothing"

# A clock still starting holds its one-copy mutex before it has a window: the installer looks for the
# window until it comes, closes it, installs and starts the installed clock.
spawn starting wine "$TICKORA_WINDOWS_BIN/test-fullscreen.exe" starting
STARTING_PID=$LAST_PID
wait_for "the starting clock's mutex" 30 -- grep -q '^held' "$TEST_TMP/starting.log"
wine "$SETUP" /S || fail "the install over a starting clock ended with code $?"
wait_exit "$STARTING_PID" 20
cmp -s "$UNIX_DIR/tickora.exe" "$SHIPPED" || fail "the install over a starting clock put no program in $DIR"
wait_for "the installed clock" 60 -- one_clock
pass "an install over a clock still starting closes it once its window comes, installs and starts the clock"
