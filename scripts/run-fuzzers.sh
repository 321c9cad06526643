#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a few seconds each: run-fuzzers.sh BUILD_DIR SECONDS
# Each target starts from its seed corpus in fuzz/corpus/<Name>/ (copied, so the seeds stay as
# they are). Its whole output is kept in BUILD_DIR/fuzz/logs/, and a crashing input in
# BUILD_DIR/fuzz/artifacts/<Name>/; the script fails when any target found one.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=$(cd "$1" && pwd)
seconds=${2:-30}
cmake --build "$dir" --target fuzzers
mkdir -p "$dir/fuzz/logs"
failed=()
for f in "$dir"/fuzz/fuzz_*; do
    [ -f "$f" ] && [ -x "$f" ] || continue
    name=$(basename "$f")
    name=${name#fuzz_}
    seeds="$here/fuzz/corpus/$name"
    artifacts="$dir/fuzz/artifacts/$name"
    log="$dir/fuzz/logs/$name.log"
    if [ ! -d "$seeds" ]; then
        # A target without seeds would start from nothing and reach little: name the folder it wants.
        echo "fuzz_$name has no seed corpus: $seeds is missing" >&2
        failed+=("$name")
        continue
    fi
    mkdir -p "$artifacts"
    corpus=$(mktemp -d)
    cp -r "$seeds"/. "$corpus"/
    echo "-- fuzz_$name for ${seconds}s (seeds: $(ls "$seeds" | wc -l))"
    if "$f" -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 -artifact_prefix="$artifacts/" \
        "$corpus" >"$log" 2>&1; then
        tail -n 3 "$log"
    else
        echo "fuzz_$name FAILED; output in $log, crashing input:" >&2
        ls -1 "$artifacts" >&2
        tail -n 40 "$log" >&2
        failed+=("$name")
    fi
    rm -rf "$corpus"
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzz targets that failed: ${failed[*]}" >&2
    exit 1
fi
