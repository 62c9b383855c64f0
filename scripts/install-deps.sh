#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine (run as root).
# Each package is installed only when missing, so a second run costs nothing.
set -eu
need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for p in build-essential cmake googletest libgtest-dev libbenchmark-dev clang \
         mingw-w64 wine64 fonts-wine xvfb xdotool imagemagick fonts-ipafont-gothic \
         fonts-ipafont-mincho procps xserver-xephyr nsis fp-utils zip unzip file locales \
         shellcheck; do
  have "$p" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "missing packages: ${need[*]} (run as root to install them)" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
