#!/usr/bin/env bash
# Fails when a folder includes a folder above it. The layers, lowest first:
#   platform <- keymap <- editctl <- extras <- tools <- app; kbdedit stands on keymap and platform
#   (its widgets also on editctl: Dorvantile's try-it field is the Persian edit control),
#   cli on keymap, platform and tools (batch conversion is one function for the editor and the
#   command line). tools may read extras' scratch table; extras never reaches tools.
# res/ holds resource ids every program shares (any folder may include them) and the build-time
# compilers, which read keymaps. tests/, bench/ and fuzz/ may include anything.
# Usage: scripts/check-includes.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

declare -A allowed=(
    [platform]="platform res"
    [keymap]="keymap platform res"
    [editctl]="editctl keymap platform res"
    [tools]="tools extras editctl keymap platform res"
    [extras]="extras editctl keymap platform res"
    [app]="app tools extras editctl keymap platform res"
    [kbdedit]="kbdedit editctl keymap platform res"
    [cli]="cli tools editctl keymap platform res"
    [res]="res keymap platform"
)

status=0
for folder in "${!allowed[@]}"; do
    [ -d "$folder" ] || continue
    while IFS= read -r hit; do
        file=${hit%%:*}
        rest=${hit#*:}
        line=${rest%%:*}
        included=$(sed -E 's/.*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"$rest")
        top=${included%%/*}
        # A name without a folder is a file beside the includer.
        [ "$top" = "$included" ] && continue
        [ -d "$top" ] || continue
        if [[ " ${allowed[$folder]} " != *" $top "* ]]; then
            echo "$file:$line: $folder/ may not include $included ($top/ is above it)" >&2
            status=1
        fi
    done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$folder" \
                 --include='*.h' --include='*.hpp' --include='*.cpp' || true)
done
# Dorvantile's core stays on keymap and platform: only its widgets may use the edit control.
for source in $(sed -n '/add_library(kbdedit_core/,/)/p' kbdedit/CMakeLists.txt | grep -oE '[A-Za-z]+\.cpp'); do
    for file in "kbdedit/$source" "kbdedit/${source%.cpp}.h"; do
        [ -f "$file" ] || continue
        if grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"editctl/' "$file" >&2; then
            echo "$file: kbdedit_core may not include editctl/ (only kbdedit's widgets may)" >&2
            status=1
        fi
    done
done
[ $status -eq 0 ] && echo "Include layers: no folder includes one above it."
exit $status
