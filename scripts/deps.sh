#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
# Further packages a script needs besides (cloc, gcovr) may be given as arguments.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config git
  libsdl2-dev libcairo2-dev libfreetype-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-apps imagemagick python3 desktop-file-utils openbox wmctrl
  libcpp-httplib-dev libsqlite3-dev libpq-dev postgresql postgresql-common chromium
  "$@"
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
