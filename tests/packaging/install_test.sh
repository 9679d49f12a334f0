#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the game into a temporary prefix and checks what a desktop gets: every
# file, valid desktop and AppStream data, and a launcher that seeds the play folder
# once and never overwrites the player's files.
#   install_test.sh BUILD_DIR
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
root=$work/root/usr
for f in games/zandoodle games/zandoodle-launcher games/zandoodle-check games/zandoodle-editor \
         share/man/man6/zandoodle.6.gz share/man/man6/zandoodle-launcher.6.gz \
         share/man/man6/zandoodle-check.6.gz share/man/man6/zandoodle-editor.6.gz \
         share/doc/zandoodle/copyright share/doc/zandoodle/changelog.gz \
         share/applications/zandoodle.desktop share/applications/zandoodle-editor.desktop \
         share/icons/hicolor/48x48/apps/zandoodle-editor.png \
         share/icons/hicolor/scalable/apps/zandoodle-editor.svg \
         share/metainfo/example.vormle.Zandoodle.metainfo.xml \
         share/icons/hicolor/16x16/apps/zandoodle.png share/icons/hicolor/32x32/apps/zandoodle.png \
         share/icons/hicolor/48x48/apps/zandoodle.png share/icons/hicolor/128x128/apps/zandoodle.png \
         share/icons/hicolor/scalable/apps/zandoodle.svg \
         share/zandoodle/groups/default.set share/zandoodle/starter/names.etc \
         share/zandoodle/starter/banter share/zandoodle/starter/describe \
         share/zandoodle/starter/jobs share/zandoodle/starter/after.job \
         share/zandoodle/starter/prizes; do
  [ -e "$root/$f" ] || fail "missing $f"
done
[ "$(ls "$root"/share/zandoodle/groups/*.set | wc -l)" -ge 4 ] || fail "fewer than four groups"
for size in 16 32 48 128; do
  file "$root/share/icons/hicolor/${size}x${size}/apps/zandoodle.png" | grep -q "$size x $size" ||
    fail "icon $size has the wrong size"
done
desktop-file-validate "$root/share/applications/zandoodle.desktop"
desktop-file-validate "$root/share/applications/zandoodle-editor.desktop"
appstreamcli validate --no-net "$root/share/metainfo/example.vormle.Zandoodle.metainfo.xml" >/dev/null

[ ! -e "$root/bin" ] || fail "programs left in bin: $(ls "$root/bin")"
for page in zandoodle zandoodle-launcher zandoodle-check zandoodle-editor; do
  gz=$root/share/man/man6/$page.6.gz
  gzip -t "$gz" || fail "$page.6.gz is not gzip"
  # No name or time stamp in the gzip header: every build gives the same bytes.
  [ "$(od -An -tu1 -j3 -N1 "$gz" | tr -d ' ')" = 0 ] || fail "$page.6.gz keeps a file name"
  [ "$(od -An -tu4 -j4 -N4 "$gz" | tr -d ' ')" = 0 ] || fail "$page.6.gz keeps a time stamp"
  warnings=$(gzip -dc "$gz" | LC_ALL=C.UTF-8 MANROFFSEQ='' groff -man -Tutf8 -ww -z 2>&1) ||
    fail "$page.6 does not format"
  [ -z "$warnings" ] || fail "$page.6: $warnings"
done

# The launcher finds the game beside it in games/ and hands it its options.
version=$(HOME=$work/home-version XDG_DATA_HOME= "$root/games/zandoodle-launcher" --version) ||
  fail "the launcher did not run the game"
[ "$(echo "$version" | head -1)" = "zandoodle 4.2" ] || fail "the launcher ran something else: $version"

# The launcher, with a stand-in for the game that records where it was started.
home=$work/home
mkdir -p "$home"
cat > "$work/fake-game" <<'FAKE'
#!/bin/sh
pwd > "$HOME/started-in"
FAKE
chmod +x "$work/fake-game"
HOME=$home XDG_DATA_HOME= ZNDL_GAME=$work/fake-game "$root/games/zandoodle-launcher"
play=$home/.local/share/zandoodle
[ "$(cat "$home/started-in")" = "$play" ] || fail "the game did not start in the play folder"
for f in default.set names.etc banter describe jobs after.job prizes; do
  [ -f "$play/$f" ] || fail "launcher did not copy $f"
done
cmp -s "$play/default.set" "$root/share/zandoodle/groups/default.set" || fail "default.set differs"
printf 'my own group\r\n' > "$play/default.set"
printf 'Zed\r\n' > "$play/names.etc"
rm "$play/jobs"
HOME=$home XDG_DATA_HOME= ZNDL_GAME=$work/fake-game "$root/games/zandoodle-launcher"
[ "$(cat "$play/default.set")" = "$(printf 'my own group\r')" ] || fail "a changed group was overwritten"
[ "$(cat "$play/names.etc")" = "$(printf 'Zed\r')" ] || fail "names.etc was overwritten"
[ -f "$play/jobs" ] || fail "a missing starter file was not copied again"
# XDG_DATA_HOME is honoured.
HOME=$home XDG_DATA_HOME=$work/xdg ZNDL_GAME=$work/fake-game "$root/games/zandoodle-launcher"
[ -f "$work/xdg/zandoodle/default.set" ] || fail "XDG_DATA_HOME ignored"
echo "install and launcher: ok"
