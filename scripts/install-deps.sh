#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Safe to run again.
set -euo pipefail

packages=(
  cmake ninja-build g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-tools
  gcc-mingw-w64-x86-64-win32
  googletest wine wine32:i386 fonts-wine xvfb x11-utils xdotool imagemagick locales
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

# Wine maps the ANSI code page from the locale: pl_PL gives 1250, en_US gives 1252.
for l in pl_PL en_US; do
  grep -q "^$l.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null || echo "$l.UTF-8 UTF-8" >>/etc/locale.gen
done
locale-gen >/dev/null
