#!/bin/sh
# Builds the headless runner with clang, asking for fused multiply-adds everywhere
# (-ffp-contract=fast -mfma, as ARM64 compilers do by default), and checks that the demo's
# committed log comes out unchanged; and that a day of the larger station gives the same log
# as the ordinary build given as the first argument. The project's own -ffp-contract=off
# must win over the flags a packager or another machine brings.
set -e
koren=$(cd "$(dirname "$0")/.." && pwd)
obycejny=$1
if ! grep -qw fma /proc/cpuinfo 2>/dev/null; then
  echo "fma.sh: this processor has no fused multiply-add; nothing to compare"
  exit 0
fi
sestava="$koren/build-fma"
CC=clang CXX=clang++ cmake -S "$koren" -B "$sestava" -DCMAKE_BUILD_TYPE=Release \
  "-DCMAKE_CXX_FLAGS=-ffp-contract=fast -mfma" -DSTANOVAR_SHELL=OFF -DSTANOVAR_TESTS=OFF \
  -DSTANOVAR_BENCH=OFF -DSTANOVAR_FUZZ=OFF > /dev/null
cmake --build "$sestava" -j"$(nproc)" --target stanovar-sim
"$sestava/stanovar-sim" --dispatcher simple --seed 7 --hours 2 --log "$sestava/demo_2h_seed7.csv" "$koren/data" > /dev/null
cmp "$sestava/demo_2h_seed7.csv" "$koren/tests/sim/demo_2h_seed7.csv"
if [ -n "$obycejny" ]; then
  "$sestava/stanovar-sim" --seed 3 --log "$sestava/vlci_brod_fma.csv" "$koren/data/vlci_brod" > /dev/null
  "$obycejny" --seed 3 --log "$sestava/vlci_brod.csv" "$koren/data/vlci_brod" > /dev/null
  cmp "$sestava/vlci_brod_fma.csv" "$sestava/vlci_brod.csv"
fi
echo "fma.sh: the logs are the same with fused multiply-adds"
