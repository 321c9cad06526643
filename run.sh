#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor from its program folder.
# Arguments are passed on to the editor.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/setup-common.sh
kelmora_install "${KELMORA_BUILD_PACKAGES[@]}"
# The options are given explicitly: test.sh shares this build folder and turns the benchmarks on.
kelmora_build build -DKELMORA_BENCH=OFF -DKELMORA_GUI=ON
cd build/bin
if [ -x ./kelmora ]; then
    exec ./kelmora "$@"
fi
exec ./kelmora-convert --help
