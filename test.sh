#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/setup-common.sh
kelmora_install "${KELMORA_BUILD_PACKAGES[@]}"
kelmora_build build
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j "$(nproc)" --timeout 600
