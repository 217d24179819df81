#!/bin/sh
# Builds the simulator and starts it in data/, where stanovar.ini opens the demo station, or
# in the station folder given as the argument (e.g. data/vlci_brod).
set -e
koren=$(cd "$(dirname "$0")/.." && pwd)
sh "$koren/tools/zavislosti.sh" xdg-utils
cmake -S "$koren" -B "$koren/build" -DCMAKE_BUILD_TYPE=Release -DSTANOVAR_TESTS=OFF -DSTANOVAR_BENCH=OFF
cmake --build "$koren/build" --target stanovar -j"$(nproc)"
cd "${1:-$koren/data}"
exec "$koren/build/src/shell/stanovar"
