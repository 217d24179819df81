#!/bin/sh
# Builds everything (program, tests, benchmarks) and runs every test: the core tests, the
# shell tests on the offscreen platform and the end-to-end run of the real program under Xvfb.
# Then the same logs from a build that fuses multiply-adds, the same core tests under the
# sanitizers, and a short fuzzing run of every reader.
set -e
koren=$(cd "$(dirname "$0")/.." && pwd)
sh "$koren/tools/zavislosti.sh"
cmake -S "$koren" -B "$koren/build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$koren/build" -j"$(nproc)"
cd "$koren/build"
ctest --output-on-failure -j"$(nproc)"
sh "$koren/tools/fma.sh" "$koren/build/stanovar-sim"
sh "$koren/tools/sanitace.sh"
