#!/usr/bin/env bash
# Installs the Debian packages that building, testing and the demo need.
# "tools/deps.sh --list" only prints them.
set -euo pipefail

packages=(
  build-essential cmake pkg-config g++ clang libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev
  qtbase5-dev qttools5-dev qttools5-dev-tools libqt5svg5
  libudev-dev umockdev libumockdev-dev gir1.2-umockdev-1.0 python3 python3-gi
  libnss-wrapper
  xvfb xauth trayer xdotool xclip x11-utils imagemagick adwaita-icon-theme
  mandoc desktop-file-utils
)

if [ "${1:-}" = "--list" ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y "${missing[@]}"
