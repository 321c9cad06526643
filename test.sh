#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/setup-common.sh
kelmora_install "${KELMORA_BUILD_PACKAGES[@]}"
# The options are given explicitly: run.sh shares this build folder and turns the benchmarks off.
kelmora_build build -DKELMORA_BENCH=ON -DKELMORA_GUI=ON
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j "$(nproc)" --timeout 600
