#!/bin/sh
# The capacity report as a person opens it: written by stanovar-sim, rendered by headless
# Chromium, and the screenshot must show the chart (its two series), and the station picture
# on its background.
set -e
SIM="$1"
DATA="$2"
CHROMIUM="$3"
adresar=$(mktemp -d)
trap 'rm -rf "$adresar"' EXIT
"$SIM" --report "$adresar/zprava" --seeds 1-2 --frequencies 2-4 --hours 6 "$DATA"
"$CHROMIUM" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync \
  --user-data-dir="$adresar/profil" --window-size=1400,1800 \
  --screenshot="$adresar/shot.png" "file://$adresar/zprava/index.html" 2>/dev/null
barvy=$(convert "$adresar/shot.png" -format %c histogram:info:-)
for b in '#2C7BB6' '#D7191C' '#888888'; do
  pocet=$(printf '%s\n' "$barvy" | grep -i "$b" | sed 's/^ *\([0-9]*\):.*/\1/' | head -1)
  if [ -z "$pocet" ] || [ "$pocet" -lt 100 ]; then
    echo "the report's screenshot has no colour $b (${pocet:-0} pixels)"
    exit 1
  fi
  echo "$b: $pocet pixels"
done
