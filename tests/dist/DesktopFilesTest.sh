#!/bin/sh
# The desktop entries and the AppStream data pass the freedesktop validators.
# Usage: DesktopFilesTest.sh DIST_SOURCE_FOLDER METAINFO_FILE
set -eu
. "$(dirname "$0")/lib.sh"
need desktop-file-validate appstreamcli
private_home
for entry in "$1"/*.desktop; do
    out=$(desktop-file-validate "$entry" 2>&1) || fail "$entry: $out"
    [ -z "$out" ] || fail "$entry: $out"
done
out=$(appstreamcli validate --no-net --pedantic "$2" 2>&1) || fail "$2: $out"
echo "desktop files valid"
