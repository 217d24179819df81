#!/bin/sh
# Builds the core, its tests and the fuzz targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, runs the tests there, then fuzzes each reader on its corpus
# for FUZZ_SEKUNDY seconds (10 by default, so that the whole test command stays well within
# half an hour on two cores). Any crash, hang, leak or out-of-memory fails;
# the input that caused it is left in build-san/fuzz-nalezy, to be committed under
# fuzz/regrese/<target> once fixed.
set -e
koren=$(cd "$(dirname "$0")/.." && pwd)
sestava="$koren/build-san"
CC=clang CXX=clang++ cmake -S "$koren" -B "$sestava" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSTANOVAR_SANITIZE=ON -DSTANOVAR_SHELL=OFF -DSTANOVAR_BENCH=OFF
cmake --build "$sestava" -j"$(nproc)"
# The soaks run in the ordinary build; here they would add minutes to a test command that
# must stay within half an hour (`ctest -L soak` in build-san runs them by hand).
(cd "$sestava" && ctest --output-on-failure -j"$(nproc)" -LE soak)

sekund=${FUZZ_SEKUNDY:-10}
mkdir -p "$sestava/fuzz-nalezy"
for cil in schema gvd lok jazyk nastaveni ulozeni dokument seznam zprava; do
  # New inputs go to a working folder; the committed corpus stays as it is.
  prace="$sestava/fuzz-prace/$cil"
  mkdir -p "$prace"
  regrese="$koren/fuzz/regrese/$cil"
  [ -d "$regrese" ] || regrese=""
  echo "Fuzzing $cil for $sekund s"
  zaznam="$sestava/fuzz-nalezy/$cil.log"
  if ! "$sestava/fuzz/fuzz_$cil" -max_total_time="$sekund" -timeout=10 -rss_limit_mb=2048 \
      -max_len=16384 -print_final_stats=1 -artifact_prefix="$sestava/fuzz-nalezy/$cil-" \
      "$prace" "$koren/fuzz/korpus/$cil" $regrese > "$zaznam" 2>&1; then
    tail -n 60 "$zaznam"
    exit 1
  fi
  grep -E "DONE|stat::number_of_executed_units" "$zaznam" || true
done
