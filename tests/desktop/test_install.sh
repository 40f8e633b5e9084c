#!/usr/bin/env bash
# cmake --install lays out the program, its desktop entry and its icons where desktops find them, its
# manual page and AppStream metainfo, and the installed program starts.
source "$(dirname "$0")/harness.sh"

[ -x "$TICKORA" ] || fail "no program at $TICKORA (build the tickora target)"
prefix="$TEST_TMP/prefix"
cmake --install "$BIN_DIR" --prefix "$prefix" >"$TEST_TMP/install.log" 2>&1 || fail "cmake --install failed"

[ -x "$prefix/bin/tickora" ] || fail "bin/tickora is not installed"
pass "the program is in bin/"

entry="$prefix/share/applications/tickora.desktop"
[ -f "$entry" ] || fail "no desktop entry at share/applications/tickora.desktop"
# key=value pairs a menu needs; the group header first.
[ "$(head -n 1 "$entry")" = "[Desktop Entry]" ] || fail "the desktop entry does not start with its group"
grep -A2 -x "\[Desktop Action Settings\]" "$entry" | grep -qx "Exec=tickora --settings" || fail "the Settings action does not run tickora --settings"
for pair in Type=Application Name=Tickora Exec=tickora Icon=tickora Terminal=false "Actions=Settings;"; do
  grep -qx "$pair" "$entry" || fail "the desktop entry lacks $pair"
done
categories=$(sed -n 's/^Categories=//p' "$entry")
for category in Utility Clock; do
  [[ ";$categories" == *";$category;"* ]] || fail "the desktop entry is not in category $category"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
fi
pass "desktop entry: $(tr '\n' ' ' <"$entry")"

for size in 16 22 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/tickora.png"
  [ -f "$icon" ] || fail "no ${size}x${size} icon"
  read -r w h channels <<<"$(identify -format '%w %h %[channels]' "$icon")"
  [ "$w $h" = "$size $size" ] || fail "the ${size}x${size} icon is $w x $h"
  [[ $channels == *a* ]] || fail "the ${size}x${size} icon has no alpha ($channels)"
  # The corners are clear and the middle is drawn: a round clock, not a square.
  corner=$(convert "$icon" -alpha extract -crop 1x1+0+0 -format '%[fx:int(255*p{0,0})]' info:)
  middle=$(convert "$icon" -alpha extract -format "%[fx:int(255*p{$((size / 2)),$((size / 2))})]" info:)
  [ "$corner" -eq 0 ] || fail "the ${size}x${size} icon's corner is not transparent ($corner)"
  [ "$middle" -gt 200 ] || fail "the ${size}x${size} icon's middle is not drawn ($middle)"
done
pass "icons in 8 sizes, round on a transparent square"

for file in share/man/man1/tickora.1.gz share/metainfo/io.github.tickora.Tickora.metainfo.xml \
  share/doc/tickora/copyright share/doc/tickora/changelog.gz; do
  [ -s "$prefix/$file" ] || fail "$file is not installed"
done
need_programs man appstreamcli
warnings=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/tickora.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man warns about tickora(1): $warnings"
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.tickora.Tickora.metainfo.xml" \
  >"$TEST_TMP/appstream.log" 2>&1 || fail "appstreamcli rejects the metainfo: $(cat "$TEST_TMP/appstream.log")"
pass "the manual page, the AppStream metainfo, the copyright and the changelog"

desktop_start
TICKORA="$prefix/bin/tickora"
clock_start
clock_wait_window
pass "the installed program shows its clock ($(window_geometry "$CLOCK_WINDOW"))"
