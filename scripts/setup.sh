#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine. Safe to run again: it
# asks apt only for packages that are missing.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ make perl
  googletest libgtest-dev libgmock-dev
  g++-mingw-w64-x86-64 wine wine64
  xvfb xauth x11-utils imagemagick sox
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-wine
  freepwing eb-utils fp-utils
  wixl msitools zip unzip
  zlib1g-dev libz-mingw-w64-dev
  clang libclang-rt-14-dev
  locales
  kanjidic unicode-data bzip2 edict
)

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The viewer's exchange tests run Wine under a Japanese locale too (ja_JP.UTF-8).
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating the locale ja_JP.UTF-8"
  $SUDO sh -c "grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen; locale-gen >/dev/null"
fi
