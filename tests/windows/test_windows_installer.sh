#!/usr/bin/env bash
# The Windows installer under Wine on Xvfb with openbox and an XEmbed tray, for a user whose folder the
# ANSI code page cannot spell (C:\users\Łukasz): a silent install puts the program, its Start menu
# shortcut and its Apps & features entry in place; the installed clock starts at login from there and
# follows Task Manager's switch; installing again closes the running clock, replaces the program and
# starts it again; a silent uninstall leaves only the user's settings. The portable zip holds the
# program, the README and the licence.
TICKORA_WINDOWS_BIN=${TICKORA_WINDOWS_BIN:-}
source "$(dirname "$0")/../desktop/harness.sh"
source "$SOURCE_DIR/scripts/wine-session.sh"
source "$HARNESS_DIR/settings_window.sh"
source "$(dirname "$0")/wine_desktop.sh"
shopt -s nullglob
setups=("$TICKORA_WINDOWS_BIN"/tickora-setup-*.exe)
[ ${#setups[@]} = 1 ] || skip "no single installer in ${TICKORA_WINDOWS_BIN:-(TICKORA_WINDOWS_BIN unset)}; scripts/package-windows.sh makes it"
readonly SETUP=${setups[0]}
VERSION=${SETUP##*/tickora-setup-}
readonly VERSION=${VERSION%.exe}
need_programs wine wineserver iconv

zip_files=$("$PYTHON" -m zipfile -l "$TICKORA_WINDOWS_BIN/tickora-$VERSION-win64.zip" | awk 'NR > 1 {print $1}' | sort | tr '\n' ' ')
[ "$zip_files" = "tickora-$VERSION-win64/ tickora-$VERSION-win64/LICENSE.txt tickora-$VERSION-win64/README.md tickora-$VERSION-win64/tickora.exe " ] ||
  fail "the portable zip holds $zip_files"
pass "the portable zip holds the program, the README and the licence"

desktop_start --desktop openbox --tray-width 48
on_cleanup wine_session_stop
wine_session_start "$TEST_TMP/wine" || fail "no Wine prefix"
# Wine passes arguments and paths on in the locale's character set.
export LC_ALL=C.UTF-8
pad_start 0 0 "$SCREEN_W" "$SCREEN_H" 3a3a3a
mouse_to 5 5

readonly USER_FOLDER='C:\users\Łukasz'
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' /v 'Local AppData' \
  /t REG_EXPAND_SZ /d "$USER_FOLDER\\AppData\\Local" /f >/dev/null 2>&1 || fail "cannot move the user's local folder"
readonly DIR="$USER_FOLDER\\AppData\\Local\\Programs\\Tickora"
readonly UNIX_DIR="$WINEPREFIX/drive_c/users/Łukasz/AppData/Local/Programs/Tickora"
# The program the installer and the zip hand out.
readonly SHIPPED="$TICKORA_WINDOWS_BIN/dist/tickora-$VERSION-win64/tickora.exe"
readonly UNINSTALL='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tickora'
readonly RUN='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
readonly APPROVED='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run'
shortcut() { find "$WINEPREFIX/drive_c/users" -path '*/Start Menu/Programs/Tickora.lnk' | grep -q .; }

wine "$SETUP" /S || fail "the silent install ended with code $?"
for file in tickora.exe uninstall.exe LICENSE.txt; do
  [ -f "$UNIX_DIR/$file" ] || fail "no $file in $DIR"
done
cmp -s "$UNIX_DIR/tickora.exe" "$SHIPPED" || fail "the installed program is not the one shipped"
shortcut || fail "no Start menu shortcut"
for kv in "DisplayName=Tickora" "DisplayVersion=$VERSION" "Publisher=The Tickora developers" \
  "DisplayIcon=$DIR\\tickora.exe,0" "UninstallString=\"$DIR\\uninstall.exe\"" "NoModify=dword:00000001" \
  "NoRepair=dword:00000001"; do
  registry_data_is "$UNINSTALL" "${kv%%=*}" "${kv#*=}" ||
    fail "${kv%%=*} in Apps & features is '$(registry_data "$UNINSTALL" "${kv%%=*}")', not '${kv#*=}'"
done
size=$(registry_data "$UNINSTALL" EstimatedSize)
[ $((16#${size#dword:})) -ge 500 ] || fail "Apps & features estimates $size KiB"
pass "a silent install puts the program in $DIR, a Start menu shortcut and the Apps & features entry"

spawn tickora-installed wine "$DIR\\tickora.exe"
CLOCK_PID=$LAST_PID
wait_for "the installed clock" 60 -- one_clock
wait_for "the tray icon" -- windows_tray_icon
tray_menu_choose 2
wait_for "the Run value" -- registry_data_is "$RUN" Tickora "\"$DIR\\tickora.exe\""
pass "\"Start at login\" names the installed program with every letter of its folder"

# As Task Manager's Startup tab switches the entry off; choosing the item then switches it back on.
wine reg add "$APPROVED" /v Tickora /t REG_BINARY /d 03000000d40d438dc83bd901 /f >/dev/null 2>&1 ||
  fail "cannot switch the entry off"
tray_menu_choose 2
wait_for "the entry switched on" -- registry_data_is "$APPROVED" Tickora "hex:02,00,00,00,00,00,00,00,00,00,00,00"
registry_data_is "$RUN" Tickora "\"$DIR\\tickora.exe\"" || fail "the Run value changed"
pass "\"Start at login\" on an entry switched off in Task Manager switches it back on"

# Marked from outside Windows, which would not let a running program's file change: the install must
# write it anew.
echo stale >>"$UNIX_DIR/tickora.exe"
wine "$SETUP" /S || fail "the install over the running clock ended with code $?"
wait_exit "$CLOCK_PID" 20
[ "$EXIT_CODE" = 0 ] || fail "the running clock ended with code $EXIT_CODE"
cmp -s "$UNIX_DIR/tickora.exe" "$SHIPPED" || fail "the program was not replaced"
wait_for "the clock started again" 60 -- one_clock
pass "installing over the running clock closes it, replaces the program and starts it again"

wine "$DIR\\uninstall.exe" /S || fail "the silent uninstall ended with code $?"
# The uninstaller runs on from a copy of itself.
wait_for "the program folder to go" 60 -- not test -e "$UNIX_DIR"
wait_for "the Apps & features entry to go" -- not wine reg query "$UNINSTALL"
wait_for "the clock to end" -- not one_clock
shortcut && fail "the Start menu shortcut is left"
registry_lacks "$RUN" Tickora || fail "the Run value is left"
registry_lacks "$APPROVED" Tickora || fail "Task Manager's state is left"
for kv in Size=32 Algoritm=14 Clock_F=11 Clock_FF=50 Seconds=1 Arrows_Width=3 Dig_On_Off=1; do
  registry_is "${kv%%=*}" "${kv#*=}" || fail "the uninstaller took ${kv%%=*} of the user's settings"
done
pass "a silent uninstall removes the program, its shortcut, entry and Run value, and keeps the settings"
