#!/usr/bin/env bash
# Screenshots of the window on a 1600 x 1000 screen at 96, 120 and 144 dots per inch, in both
# languages, on both shipped stations, with and without the train board, to look at: does the
# window fit, does the whole station show. Prints each window's size in screen pixels.
#
#   tools/snimky_okna.sh PROGRAM OUT_DIR [SECONDS]
#
# Each run has a settings folder of its own (the board's choice) and a copy of the station
# folder whose stanovar.ini names the language. Needs Xvfb, xdotool and ImageMagick.
set -euo pipefail
[ $# -ge 2 ] || { sed -n '2,9p' "$0"; exit 2; }
prog=$(realpath "$1"); out=$(realpath -m "$2"); cekej=${3:-4}
koren=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for d in $(seq 130 160); do [ -e /tmp/.X$d-lock ] || { disp=":$d"; break; }; done
Xvfb "$disp" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$tmp"' EXIT
sleep 1
for stanice in data data/vlci_brod; do
  for jazyk in cestina english; do
    for tabule in false true; do
      for dpi in 96 120 144; do
        jmeno=$(basename "$stanice")-$jazyk-$dpi-$([ $tabule = true ] && echo tabule || echo bez)
        slozka=$tmp/$jmeno
        mkdir -p "$slozka/nastaveni/Stanovar" "$slozka/data"
        find "$koren/$stanice" -maxdepth 1 \( -type f -o -type l \) -exec cp -L {} "$slozka/data/" \;
        # The language line of stanovar.ini (its marker byte is 0xB8 '8').
        python3 - "$slozka/data/stanovar.ini" "$jazyk.lng" <<'EOF'
import sys
p, jazyk = sys.argv[1], sys.argv[2].encode()
radky = open(p, 'rb').read().split(b'\r\n')
radky = [b'\xb88' + jazyk if r.startswith(b'\xb88') else r for r in radky]
open(p, 'wb').write(b'\r\n'.join(radky))
EOF
        printf '[zobrazeni]\ntabule=%s\n[pruvodce]\nukazan=true\n' "$tabule" > "$slozka/nastaveni/Stanovar/stanovar.conf"
        (cd "$slozka/data" && DISPLAY=$disp QT_QPA_PLATFORM=xcb QT_FONT_DPI=$dpi \
          XDG_CONFIG_HOME=$slozka/nastaveni XDG_DATA_HOME=$slozka/sdata exec "$prog") \
          >"$slozka/log" 2>&1 &
        app=$!
        sleep "$cekej"
        geo=$(DISPLAY=$disp xdotool search --pid $app --onlyvisible getwindowgeometry 2>/dev/null |
              grep -E 'Geometry' | head -1 || true)
        DISPLAY=$disp import -window root "$out/$jmeno.png"
        kill $app 2>/dev/null || true
        wait $app 2>/dev/null || true
        echo "$jmeno: $geo"
      done
    done
  done
done
