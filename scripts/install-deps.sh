#!/usr/bin/env bash
# Installs what building, testing and playing need, with apt-get, and only
# what is missing. Run as root (or with sudo available).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang llvm libclang-rt-14-dev file bc
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libgl1-mesa-dri libgl-dev libegl-dev libegl-mesa0
  libfreetype-dev libfontconfig-dev fonts-liberation2 fonts-dejavu-core libpng-dev
  libx11-dev xvfb xauth xdotool x11-utils openbox imagemagick ffmpeg locales python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A German locale, so the tests can prove that number parsing ignores it.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  if [ -f /etc/locale.gen ]; then
    "${sudo_cmd[@]}" sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
    "${sudo_cmd[@]}" locale-gen >/dev/null 2>&1 || true
  fi
fi
