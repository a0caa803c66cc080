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
  zlib1g-dev libz-mingw-w64-dev libdeflate-dev
  clang libclang-rt-14-dev
  locales
  kanjidic unicode-data bzip2 edict
  cups printer-driver-cups-pdf poppler-utils
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

# libdeflate for the MinGW build (Debian packages it for Linux only): Debian's own source
# package of the same suite, fetched through a deb-src list of ours, built with the MinGW
# toolchain by cmake/libdeflate and installed as a static library into the cross compiler's
# tree, once.
mingw_root=/usr/x86_64-w64-mingw32
if [ ! -f "$mingw_root/lib/libdeflate.a" ] || [ ! -f "$mingw_root/include/libdeflate.h" ]; then
  echo "setup: building libdeflate for MinGW from Debian's source package"
  repo=$(cd "$(dirname "$0")/.." && pwd)
  suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
  list=/etc/apt/sources.list.d/dunmoor-deb-src.sources
  if [ ! -f "$list" ]; then
    $SUDO sh -c "printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' '$suite' > '$list'"
    $SUDO apt-get update -qq
  fi
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  (cd "$work" && apt-get source -qq --download-only libdeflate >/dev/null 2>&1) ||
    { echo "setup: apt-get source libdeflate failed" >&2; exit 1; }
  tar -xzf "$work"/libdeflate_*.orig.tar.gz -C "$work"
  source_dir=$(find "$work" -maxdepth 1 -type d -name 'libdeflate-*' | head -1)
  cmake -S "$repo/cmake/libdeflate" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" -DLIBDEFLATE_SOURCE="$source_dir" \
        -DCMAKE_INSTALL_PREFIX="$mingw_root" >"$work/configure.log" 2>&1 &&
    cmake --build "$work/build" >"$work/build.log" 2>&1 ||
    { tail -20 "$work"/*.log >&2; echo "setup: building libdeflate for MinGW failed" >&2; exit 1; }
  $SUDO cmake --install "$work/build" >/dev/null
fi
