#!/bin/sh
# Installs the build into a temporary prefix and starts the installed program as its desktop
# entry does, with a temporary home folder: it must show the demo station, and closing a
# dialog must write the settings into the per-user folder and nowhere else.
# Usage (inside an X display, e.g. under xvfb-run): instalace.sh BUILD_FOLDER
set -eu
build=$1
tmp=$(mktemp -d)
app=""
trap '[ -z "$app" ] || kill "$app" 2>/dev/null || true; rm -rf "$tmp"' EXIT
selhani() { echo "FAILED: $*"; exit 1; }

prefix="$tmp/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
sdilene="$prefix/share/stanovar"
for f in bin/stanovar bin/stanovar-start bin/stanovar-check share/applications/stanovar.desktop \
         share/icons/hicolor/scalable/apps/stanovar.svg share/stanovar/demo.yrd \
         share/stanovar/cestina.lng share/stanovar/napoveda.html \
         share/stanovar/vlci_brod/vlci_brod.yrd share/stanovar/vlci_brod/stanovar.ini; do
  [ -e "$prefix/$f" ] || selhani "$f not installed"
done
# The installed checker finds nothing wrong with the installed stations.
"$prefix/bin/stanovar-check" -q "$sdilene" || selhani "checker on the installed demo station"
"$prefix/bin/stanovar-check" -q "$sdilene/vlci_brod" || selhani "checker on the second station"

export HOME="$tmp/domov"
unset XDG_DATA_HOME
mkdir -p "$HOME"
uzivatel="$HOME/.local/share/stanovar"
prikaz=$(sed -n 's/^Exec=//p' "$prefix/share/applications/stanovar.desktop")
[ -n "$prikaz" ] || selhani "no Exec line in the desktop entry"
touch "$tmp/znacka"
sleep 1

# Started from elsewhere, with the installation only on the PATH, as a desktop would.
cd "$tmp"
PATH="$prefix/bin:$PATH" QT_QPA_PLATFORM=xcb $prikaz >"$tmp/vystup" 2>&1 &
app=$!
okno=""
for i in $(seq 1 40); do
  okno=$(xdotool search --name Stanovar 2>/dev/null | head -n 1) || true
  [ -n "$okno" ] && break
  sleep 0.25
done
[ -n "$okno" ] || { cat "$tmp/vystup"; selhani "no window"; }
sleep 1.5

[ -f "$uzivatel/stanovar.ini" ] || selhani "the first start made no per-user stanovar.ini"
grep -q "$sdilene/demo.yrd" "$uzivatel/stanovar.ini" || selhani "the settings do not name the demo station"
[ -e "$uzivatel/napoveda.html" ] || selhani "no help document in the per-user folder"

# The demo station is drawn: its platforms are the only pixels of the platform colour.
import -window root "$tmp/obraz.png"
podil=$(convert "$tmp/obraz.png" -fill black +opaque "#C06018" -fill white -opaque "#C06018" \
        -format "%[fx:mean*w*h]" info:)
[ "${podil%.*}" -gt 500 ] || selhani "no station on the screen ($podil platform pixels)"

# File > Settings, then Cancel: the settings file is rewritten even when cancelled.
xdotool windowfocus "$okno" 2>/dev/null || true
xdotool key alt+s
sleep 0.5
xdotool key n
sleep 1
xdotool key Escape
sleep 1
[ "$(wc -l < "$uzivatel/stanovar.ini")" -eq 7 ] || selhani "closing the settings dialog did not write the settings"
grep -q "$sdilene/demo.yrd" "$uzivatel/stanovar.ini" || selhani "the rewritten settings lost the station"
zmenene=$(find "$prefix" -newer "$tmp/znacka")
[ -z "$zmenene" ] || selhani "written into the installation: $zmenene"
nove=$(find "$tmp" -newer "$tmp/znacka" -name 'stanovar.ini*' ! -path "$uzivatel/*")
[ -z "$nove" ] || selhani "settings written outside the per-user folder: $nove"

xdotool key Escape
sleep 0.5
echo "installed program runs from $uzivatel"
