#!/usr/bin/env bash
# Installs from Debian's packages whatever the builds and tests need and this machine lacks.
set -euo pipefail

packages=(cmake ninja-build g++ libgtest-dev libgmock-dev googletest libbenchmark-dev
          nlohmann-json3-dev
          gcc-mingw-w64-i686-win32 g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32
          mingw-w64-tools python3
          binutils-mingw-w64-i686 binutils-mingw-w64-x86-64)
if [ "${1:-}" = "--wine" ]; then
    packages+=(wine64 xvfb xdotool imagemagick fonts-noto-cjk locales)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The launcher's Wine cases start programs as a Japanese user does, with LANG=ja_JP.UTF-8.
if [ "${1:-}" = "--wine" ] && ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8
fi
