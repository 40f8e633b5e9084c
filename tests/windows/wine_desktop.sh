# shellcheck shell=bash
# Sourced by the Windows scenarios after the desktop harness and its settings_window.sh: finding the program's windows and its
# tray icon and menu on the X desktop, and reading the Wine prefix's registry.

# registry VALUE: the clock's stored value as a signed 32-bit integer, or nothing.
registry() {
  local hex
  hex=$(wine reg query 'HKCU\Software\Tickora' /v "$1" 2>/dev/null | tr -d '\r' | awk -v v="$1" '$1 == v && $2 == "REG_DWORD" {print $3}')
  [ -n "$hex" ] || return 1
  echo $(((hex ^ 0x80000000) - 0x80000000))
}
registry_is() { [ "$(registry "$1")" = "$2" ]; }

# registry_data KEY NAME: the value as "wine reg export" writes it after `"NAME"=`, in UTF-8, unescaped:
# a string as it is ("C:\users\Łukasz"), hex:03,00,... or dword:0000002a. Fails when it is missing.
# (reg query prints through the console's code page, which loses every letter it cannot spell.)
registry_data() {
  local file="$TEST_TMP/export.reg" line
  rm -f "$file"
  wine reg export "$1" 'Z:'"${file//\//\\}" /y >/dev/null 2>&1 || return 1
  line=$(iconv -f UTF-16LE -t UTF-8 "$file" | tr -d '\r' | grep -F -m 1 "\"$2\"=") || return 1
  line=${line#\""$2"\"=}
  case $line in
    \"*) line=${line#\"} && line=${line%\"} && line=${line//\\\"/\"} && echo "${line//\\\\/\\}" ;;
    *) echo "$line" ;;
  esac
}
registry_data_is() { [ "$(registry_data "$1" "$2")" = "$3" ]; }
registry_lacks() { ! registry_data "$1" "$2" >/dev/null; }

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
# The open popup menu of the program.
popup_menu() {
  local w
  for w in $(program_windows ''); do
    [ "$(window_field "$w" "Override Redirect State")" = yes ] && [ "$(window_field "$w" Depth)" != 32 ] &&
      printf '0x%x\n' "$w" && return 0
  done
  return 1
}
# tray_menu_choose N: opens the tray icon's menu and clicks its Nth item of three (Settings, Start at
# login, Close).
tray_menu_choose() {
  local mx my mw mh
  click_window_centre "$(windows_tray_icon)" 3
  wait_for "the tray menu" -- popup_menu
  read -r mx my mw mh < <(window_geometry "$(popup_menu)")
  xdotool mousemove --sync $((mx + mw / 2)) $((my + mh * (2 * $1 - 1) / 6)) click 1
  wait_for "the tray menu to close" -- not popup_menu
}
