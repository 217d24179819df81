#!/bin/sh
# Runs stanovar-sim over a matrix of runs (every shipped station and the test stations, every
# dispatcher, many seeds, every frequency, some runs of a week) and keeps each run's event log
# and summary (without its wall times). Given a folder of an earlier set, compares every file
# with it byte for byte: the way to show that a change that should only make the runs faster
# changed nothing they do.
#
#   tools/shoda_logu.sh SIM OUT_DIR [EARLIER_DIR]
#
# SEEDS (default 30) sets how many seeds each station and dispatcher runs for a day; JOBS
# (default 2) how many runs go at once; NO_REPORT=1 leaves out the capacity reports. Exit 1 when any file differs from the earlier set.
set -eu

if [ $# -lt 2 ]; then
  echo "usage: $0 SIM OUT_DIR [EARLIER_DIR]" >&2
  exit 2
fi
SIM=$(realpath "$1")
OUT=$2
EARLIER=${3:-}
SEEDS=${SEEDS:-30}
JOBS=${JOBS:-2}
ROOT=$(cd "$(dirname "$0")/.." && pwd)

mkdir -p "$OUT"
OUT=$(realpath "$OUT")

# One line per run: station folder, dispatcher, seed, frequency, hours.
runs() {
  for st in data data/vlci_brod tests/data/dvojkolejka tests/data/obousmerna; do
    for d in auto simple random; do
      s=1
      while [ "$s" -le "$SEEDS" ]; do
        echo "$st $d $s 4 24"
        s=$((s + 1))
      done
      for f in 1 2 3 5 6 7 8; do echo "$st $d 7 $f 24"; done
      echo "$st $d 1 4 168"
      echo "$st $d 2 8 168"
    done
    echo "$st auto 3 6 168"
    echo "$st none 1 4 24"
  done
  echo "data auto 42 4 24"
}

# A run's log, its summary without the wall times, which vary from run to run, and the save of
# the state it ended in.
export SIM OUT ROOT
runs | xargs -P "$JOBS" -L 1 sh -c '
  st=$0 d=$1 s=$2 f=$3 h=$4
  name=$(echo "$st" | tr / _)_${d}_s${s}_f${f}_h${h}
  "$SIM" "$ROOT/$st" --dispatcher "$d" --seed "$s" --frequency "$f" --hours "$h" \
    --log "$OUT/$name.csv" --save "$OUT/$name.save" --summary json | grep -v "\"wall_s\"\|\"sim_s_per_wall_s\"" \
    > "$OUT/$name.json" || true
'

# The capacity report of each station over a few seeds, without its wall times.
if [ -z "${NO_REPORT:-}" ]; then
  for st in data data/vlci_brod tests/data/dvojkolejka; do
    name=$(echo "$st" | tr / _)_report
    "$SIM" "$ROOT/$st" --report "$OUT/$name" --seeds 1-3 --threads "$JOBS" > /dev/null || true
    for f in "$OUT/$name"/*; do
      grep -v "wall" "$f" > "$OUT/${name}_$(basename "$f")" || true
    done
    rm -rf "${OUT:?}/$name"
  done
fi

count=$(ls "$OUT" | wc -l)
echo "$count files in $OUT"
[ -z "$EARLIER" ] && exit 0

differ=0
for f in "$EARLIER"/*; do
  b=$(basename "$f")
  if ! cmp -s "$f" "$OUT/$b"; then
    echo "differs: $b"
    differ=$((differ + 1))
  fi
done
for f in "$OUT"/*; do
  [ -e "$EARLIER/$(basename "$f")" ] || { echo "not in the earlier set: $(basename "$f")"; differ=$((differ + 1)); }
done
if [ "$differ" -ne 0 ]; then
  echo "$differ files differ from $EARLIER"
  exit 1
fi
echo "all $count files identical to $EARLIER"
