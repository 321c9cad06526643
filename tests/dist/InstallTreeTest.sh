#!/bin/sh
# Installs the build into a temporary DESTDIR under /usr, makes the program folder read-only and
# runs the installed programs from there with a private home: the converter finds its keymaps and
# the user's, the editor starts and keeps its table in the user's folder, and nothing is written
# under the installed tree.
# Usage: InstallTreeTest.sh BUILD_FOLDER CMAKE VERSION
set -eu
. "$(dirname "$0")/lib.sh"
build=$1
cmake=$2
version=$3
private_home
export QT_QPA_PLATFORM=offscreen

root="$work/root"
DESTDIR="$root" "$cmake" --install "$build" --prefix /usr --component programs >"$work/install.log" ||
    fail "install failed: $(cat "$work/install.log")"
bin="$root/usr/bin"
programs="$root/usr/lib/kelmora"
for file in bin/kelmora bin/dorvantil bin/kelmora-convert bin/kelmora-poems lib/kelmora/KeyMaps/main.kbd \
    lib/kelmora/scratch.cfg lib/kelmora/fonts.cfg lib/kelmora/QIndex.dat share/applications/org.kelmora.Kelmora.desktop \
    share/mime/packages/kelmora.xml share/metainfo/org.kelmora.Kelmora.metainfo.xml \
    share/icons/hicolor/scalable/apps/org.kelmora.Kelmora.svg share/icons/hicolor/48x48/apps/org.kelmora.Dorvantile.png \
    share/man/man1/kelmora-convert.1.gz; do
    [ -e "$root/usr/$file" ] || fail "not installed: /usr/$file"
done
[ -L "$bin/kelmora" ] || fail "/usr/bin/kelmora is not a link to the program folder"

chmod -R a-w "$programs"
sleep 1 # a file written afterwards must be newer than the stamp even on coarse clocks
touch "$work/stamp"

# The converter, run by its link, reads the installed keymaps: a word there and back.
word='باران'
out=$("$bin/kelmora-convert" --version) || fail "kelmora-convert --version exited $?"
[ "$out" = "kelmora-convert $version" ] || fail "kelmora-convert --version printed $out"
printf '%s' "$word" | "$bin/kelmora-convert" --from-unicode --to kolb.kbd >"$work/word.kolb" || fail "conversion to kolb.kbd failed"
back=$("$bin/kelmora-convert" --from kolb.kbd --to-unicode "$work/word.kolb") || fail "conversion back failed"
[ "$back" = "$word" ] || fail "the word came back as $back"

# A keymap of the user's own is found by name as well.
mkdir -p "$XDG_DATA_HOME/Kelmora/KeyMaps"
cp "$programs/KeyMaps/kolb.kbd" "$XDG_DATA_HOME/Kelmora/KeyMaps/mine.kbd"
back=$(printf '%s' "$word" | "$bin/kelmora-convert" --from-unicode --to mine.kbd | "$bin/kelmora-convert" --from mine.kbd --to-unicode) ||
    fail "conversion through the user's keymap failed"
[ "$back" = "$word" ] || fail "the word came back through mine.kbd as $back"
rm -r "$XDG_DATA_HOME/Kelmora"

# The editor starts from its link, from another folder, and writes its table into the user's folder.
(cd "$work" && "$bin/kelmora" --quit-when-shown) >"$work/kelmora.log" 2>&1 || fail "kelmora exited $?: $(cat "$work/kelmora.log")"
[ -f "$XDG_DATA_HOME/Kelmora/scratch.cfg" ] || fail "no scratch.cfg in the user's folder"
cmp -s "$XDG_DATA_HOME/Kelmora/scratch.cfg" "$programs/scratch.cfg" || true # the table may be rewritten, but must exist
[ -f "$XDG_CONFIG_HOME/Kelmora.conf" ] || fail "the editor's settings are not in the user's config folder"

# A second start reads the user's copy (still no write into the program folder).
(cd "$work" && "$bin/kelmora" --quit-when-shown) >"$work/kelmora.log" 2>&1 || fail "second start exited $?"

written=$(find "$programs" -newer "$work/stamp" -print)
[ -z "$written" ] || fail "written under the installed folder: $written"
changed=$(find "$root" -newer "$work/stamp" -print)
[ -z "$changed" ] || fail "written under the installed tree: $changed"
echo "installed tree works read-only"
