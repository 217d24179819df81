#!/bin/sh
# Installs the Debian packages the build and the tests need, only those that are missing.
set -e
potreba="cmake g++ make pkg-config libcli11-dev qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-websockets-dev qt6-qpa-plugins libgtest-dev libbenchmark-dev fonts-liberation2 qt6-translations-l10n xvfb xauth xdotool imagemagick clang libclang-rt-14-dev chromium nlohmann-json3-dev libboost-dev $*"
chybi=""
for p in $potreba; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || chybi="$chybi $p"
done
if [ -n "$chybi" ]; then
  echo "Installing:$chybi"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends $chybi
fi
