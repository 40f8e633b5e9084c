#!/usr/bin/env bash
# The Debian package as a user gets it: scripts/package.sh builds and checks it (desktop-file-validate,
# appstreamcli, lintian) and names it last; it holds what a desktop and Debian look for and depends on
# the libraries the program links. apt-get installs it; the installed program answers its options
# without a display, shows its clock, and its "Start at login" names it as installed. The package is
# removed again, also when the test fails.
source "$(dirname "$0")/harness.sh"
source "$HARNESS_DIR/settings_window.sh"

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  sudo -n true 2>/dev/null || skip "installing a package needs root, or sudo without a password"
  as_root=(sudo -n)
fi
# Whatever the test installs, it removes: it must not take away a package someone installed.
if dpkg-query -W -f='${Status}' tickora 2>/dev/null | grep -q 'install ok installed'; then
  skip "a tickora package is installed on this machine; remove it to run this test"
fi

version=$(sed -n 's/^project(Tickora VERSION \([0-9.]*\).*/\1/p' "$SOURCE_DIR/CMakeLists.txt")
arch=$(dpkg --print-architecture)
deb=$(TICKORA_PACKAGE_BUILD_DIR="$BIN_DIR/package" "$SOURCE_DIR/scripts/package.sh" 2>"$TEST_TMP/package.log" |
  tail -n 1) || fail "scripts/package.sh failed"
[ "$(basename "$deb")" = "tickora_${version}_${arch}.deb" ] && [ -f "$deb" ] || fail "package.sh named '$deb'"
pass "package.sh wrote $deb; desktop-file-validate, appstreamcli and lintian found no errors"

dpkg-deb -c "$deb" | awk '{ print $NF }' >"$TEST_TMP/contents"
for path in usr/bin/tickora usr/share/applications/tickora.desktop usr/share/icons/hicolor/48x48/apps/tickora.png \
  usr/share/man/man1/tickora.1.gz usr/share/metainfo/io.github.tickora.Tickora.metainfo.xml \
  usr/share/doc/tickora/copyright usr/share/doc/tickora/changelog.gz; do
  grep -qx "./$path" "$TEST_TMP/contents" || fail "the package lacks /$path"
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6dbus6 libjpeg62-turbo libx11-6 qt6-qpa-plugins; do
  [[ ", $depends," == *", $library "* || ", $depends," == *", $library,"* ]] || fail "Depends lacks $library: $depends"
done
pass "the package holds the program, desktop entry, icons, manual page, metainfo, copyright and changelog; Depends: $depends"

remove_package() {
  if dpkg-query -W -f='${Status}' tickora 2>/dev/null | grep -q 'install ok installed'; then
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q tickora >>"$TEST_TMP/apt.log" 2>&1 ||
      log "could not remove the package tickora"
  fi
}
on_cleanup remove_package
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" >"$TEST_TMP/apt.log" 2>&1 ||
  fail "apt-get cannot install the package"
[ "$(dpkg-query -W -f='${Version}' tickora)" = "$version" ] || fail "apt-get installed $(dpkg-query -W -f='${Version}' tickora)"
[ "$(man -w tickora 2>/dev/null)" = /usr/share/man/man1/tickora.1.gz ] || fail "man finds no tickora(1)"
pass "apt-get installs it; man finds tickora(1)"

TICKORA=/usr/bin/tickora
out=$(env -u DISPLAY "$TICKORA" --version) || fail "tickora --version ended with code $?"
[ "$out" = "Tickora $version" ] || fail "tickora --version printed '$out'"
env -u DISPLAY "$TICKORA" --help >"$TEST_TMP/help.out" || fail "tickora --help ended with code $?"
grep -q '^Usage: tickora ' "$TEST_TMP/help.out" || fail "tickora --help printed: $(cat "$TEST_TMP/help.out")"
code=0
env -u DISPLAY "$TICKORA" --no-such-option >"$TEST_TMP/misuse.out" 2>"$TEST_TMP/misuse.err" || code=$?
[ "$code" = 2 ] && [ ! -s "$TEST_TMP/misuse.out" ] && grep -q '^Usage: tickora ' "$TEST_TMP/misuse.err" ||
  fail "an unknown option ended with code $code, printing '$(cat "$TEST_TMP/misuse.out" "$TEST_TMP/misuse.err")'"
pass "without a display the installed program answers --version ($out), --help, and an unknown option with code 2"

desktop_start --wm --tray
clock_start
clock_wait_window
menu_from_tray 3  # "Start at login"
entry="$XDG_CONFIG_HOME/autostart/tickora.desktop"
wait_for "the autostart entry" -- test -s "$entry"
grep -qx "Exec=$TICKORA" "$entry" || fail "the entry starts $(sed -n 's/^Exec=//p' "$entry")"
pass "the installed program shows its clock, and Start at login starts $TICKORA"
menu_from_tray 6  # "Close"
wait_exit "$CLOCK_PID" 10
[ "$EXIT_CODE" = 0 ] || fail "Close ended the installed program with code $EXIT_CODE"

remove_package
[ ! -e "$TICKORA" ] && ! dpkg-query -W -f='${Status}' tickora 2>/dev/null | grep -q 'install ok installed' ||
  fail "the package is still installed"
pass "apt-get removes it again"
