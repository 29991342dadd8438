#!/usr/bin/env bash
# Builds everything and runs every test: the debug build, the sanitizer build, the benchmark
# programs (built, not run) and the fuzz targets (each replays its corpus).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

for preset in debug asan; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done

cmake --preset release
cmake --build --preset release

cmake --preset fuzz
cmake --build --preset fuzz
scripts/fuzz.sh replay
