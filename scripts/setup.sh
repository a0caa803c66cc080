#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine. Safe to run again: it
# asks apt only for packages that are missing.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ make perl
  googletest libgtest-dev libgmock-dev
  g++-mingw-w64-x86-64 wine wine64
  xvfb xauth x11-utils imagemagick sox
  fonts-ipafont-gothic fonts-ipafont-mincho
  freepwing
  clang libclang-rt-14-dev
)

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
