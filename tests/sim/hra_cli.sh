#!/bin/sh
# stanovar-sim as host and as two headless players on loopback, in lockstep for two hours:
# both players exit 0 when the host ends the run, the host's check holds, and its logs are
# those of the same network run in one process with the same dispatchers.
set -e
sim="$1"
sit="$2"
prace=$(mktemp -d)
trap 'rm -rf "$prace"' EXIT
"$sim" --network "$sit" --hours 2 --seed 9 --check --station-dispatcher VLCIBROD=random --log "$prace/jeden" > /dev/null
"$sim" --network "$sit" --hours 2 --seed 9 --check --serve 127.0.0.1:0 --lockstep --players 2 \
  --log "$prace/hra" --summary json > "$prace/souhrn.json" 2> "$prace/host.err" &
host=$!
port=""
for i in $(seq 1 100); do
  port=$(sed -n 's/^listening on 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$prace/host.err" 2>/dev/null || true)
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || { echo "the host did not listen"; cat "$prace/host.err"; exit 1; }
"$sim" --join "127.0.0.1:$port" --station LESNA --dispatcher auto 2> "$prace/p1.err" &
p1=$!
"$sim" --join "127.0.0.1:$port" --station VLCIBROD --dispatcher random 2> "$prace/p2.err" &
p2=$!
wait $p1 || { echo "player 1 failed"; cat "$prace/p1.err"; exit 1; }
wait $p2 || { echo "player 2 failed"; cat "$prace/p2.err"; exit 1; }
wait $host || { echo "the host failed"; cat "$prace/host.err"; exit 1; }
grep -q '"links"' "$prace/souhrn.json"
for s in LESNA VLCIBROD; do
  cmp "$prace/jeden/$s.csv" "$prace/hra/$s.csv"
done
echo "lockstep logs equal the run in one process"
