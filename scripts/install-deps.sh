#!/bin/sh
# Installs the Debian packages Sumaris needs to build, test and run.
# As root it installs what is missing with apt-get; otherwise it prints the
# one command that would do it and fails, so nothing builds half-equipped.
set -eu

# librsvg2-bin renders the icon's PNG sizes; dpkg-dev (dpkg-shlibdeps) works
# out the Debian package's library dependencies; desktop-file-utils and
# groff-base let the tests check the menu entry and the manual pages.
packages="g++ make cmake ninja-build pkg-config qt6-base-dev libgl-dev \
libgtest-dev libgmock-dev libbenchmark-dev clang-format xvfb xauth fonts-liberation fontconfig \
verilator yosys iverilog python3 \
librsvg2-bin dpkg-dev desktop-file-utils groff-base"

missing=""
for p in $packages; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "Installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing
else
  echo "Sumaris needs these Debian packages:$missing"
  echo "Install them with:"
  echo "  sudo apt-get install$missing"
  exit 1
fi
