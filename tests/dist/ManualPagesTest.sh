#!/bin/sh
# The manual pages format without a warning and name their program.
# Usage: ManualPagesTest.sh FOLDER_OF_PAGES
set -eu
. "$(dirname "$0")/lib.sh"
need groff
for page in kelmora dorvantil kelmora-convert kelmora-poems; do
    source="$1/$page.1"
    [ -f "$source" ] || fail "no manual page $source"
    warnings=$(groff -man -ww -z "$source" 2>&1) || fail "groff failed on $page.1"
    [ -z "$warnings" ] || fail "$page.1: $warnings"
    text=$(groff -man -Tutf8 -P-cbou "$source" 2>/dev/null)
    printf '%s\n' "$text" | grep -q "^NAME" || fail "$page.1 has no NAME section"
    printf '%s\n' "$text" | grep -q "$page" || fail "$page.1 does not name $page"
    [ -f "$1/$page.1.gz" ] && { gzip -t "$1/$page.1.gz" || fail "$page.1.gz is damaged"; }
done
echo "manual pages checked"
