#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a few seconds each: run-fuzzers.sh BUILD_DIR SECONDS
set -euo pipefail
dir=$1
seconds=${2:-30}
cmake --build "$dir" --target fuzzers
for f in "$dir"/fuzz/fuzz_*; do
    [ -f "$f" ] && [ -x "$f" ] || continue
    echo "-- $(basename "$f") for ${seconds}s"
    corpus=$(mktemp -d)
    "$f" -max_total_time="$seconds" -max_len=8192 -print_final_stats=0 "$corpus" 2>&1 | tail -n 3
    rm -rf "$corpus"
done
