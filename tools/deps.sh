#!/bin/sh
# Installs the Debian packages Orvane builds, tests and runs with.
# Used by tools/demo and tools/test; safe to run again.
set -e
PACKAGES="g++ cmake make pkg-config
  libsdl2-dev libsdl2-mixer-dev fluid-soundfont-gm libfreetype-dev libfontconfig-dev libjpeg62-turbo-dev libpng-dev
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
  fonts-ipafont-gothic
  libgtest-dev libgmock-dev libbenchmark-dev liblua5.4-dev libpixman-1-dev
  xvfb xauth
  clang libclang-rt-dev"
SUDO=
[ "$(id -u)" = 0 ] || SUDO=sudo
missing=
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
fi
