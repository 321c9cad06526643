#!/bin/sh
# With the MIME package installed into a private data home, a .txf is a Kelmora document and a .kbd
# a keymap, by name and by content alone.
# Usage: FileTypesTest.sh MIME_PACKAGE
set -eu
. "$(dirname "$0")/lib.sh"
need xdg-mime update-mime-database mimetype
private_home
mkdir -p "$XDG_DATA_HOME/mime/packages"
cp "$1" "$XDG_DATA_HOME/mime/packages/kelmora.xml"
update-mime-database "$XDG_DATA_HOME/mime"
# The system's types stay visible beside the private ones.
export XDG_DATA_DIRS=/usr/local/share:/usr/share

printf 'Kelmora : f[Nazli] s[22] k[kolb.kbd]\r\n\301\302\r\n' >"$work/letter.txf"
printf 'Dorvantile-File,Writen by Vornelqastirubenko\r\n\001\002\003' >"$work/farsi.kbd"
cp "$work/letter.txf" "$work/letter-without-extension"
cp "$work/farsi.kbd" "$work/keymap-without-extension"
printf 'plain words\n' >"$work/notes.txf.txt"

check() {
    got=$(xdg-mime query filetype "$work/$1")
    [ "$got" = "$2" ] || fail "$1 is $got, not $2"
}
check letter.txf text/x-kelmora-document
check farsi.kbd application/x-kelmora-keymap
check letter-without-extension text/x-kelmora-document
check keymap-without-extension application/x-kelmora-keymap
check notes.txf.txt text/plain
echo "file types recognised"
