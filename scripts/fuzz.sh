#!/usr/bin/env bash
# Runs the fuzz targets of the fuzz build. "replay" runs each over its corpus once (a regression
# check); "run SECONDS" fuzzes each for that long and adds what it finds to a scratch corpus.
# A file "<target>.options" beside a target's corpus folder holds extra libFuzzer flags for
# "run" (such as -max_len for a target whose faults show only on large inputs).
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-replay}
seconds=${2:-60}
build=build/fuzz
failed=0
count=0

while IFS= read -r -d '' corpus; do
    name=$(basename "$corpus")
    binary=$(find "$build" -type f -name "$name" -perm -u+x | head -n 1)
    if [[ -z "$binary" ]]; then
        echo "fuzz target $name is not built" >&2
        failed=1
        continue
    fi
    count=$((count + 1))
    if [[ "$mode" == run ]]; then
        scratch="$build/corpus/$name"
        mkdir -p "$scratch"
        options=()
        if [[ -f "$corpus.options" ]]; then
            read -r -a options <"$corpus.options"
        fi
        "$binary" -max_total_time="$seconds" -print_final_stats=1 "${options[@]}" "$scratch" \
            "$corpus" || failed=1
    else
        "$binary" -runs=0 "$corpus" >/dev/null 2>&1 || { echo "fuzz target $name failed" >&2; failed=1; }
    fi
done < <(find . -path ./build -prune -o -type d -name '*_fuzzer' -path '*/corpus/*' -print0)

echo "fuzz: $count targets ($mode)"
exit "$failed"
