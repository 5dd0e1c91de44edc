#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and the two locales the tests run
# under. Safe to run again: does nothing when everything is there.
set -euo pipefail

packages=(
  cmake ninja-build g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-tools
  gcc-mingw-w64-x86-64-win32 # a 64-bit test fixture
  googletest wine wine32:i386 fonts-wine xvfb x11-utils xdotool imagemagick locales
)
# Wine maps the ANSI code page from the locale: pl_PL gives 1250, en_US gives 1252.
locales=(pl_PL.UTF-8 en_US.UTF-8)

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
  as_root apt-get update -qq
  as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# `locale -a` spells pl_PL.UTF-8 as pl_PL.utf8.
have_locale() {
  local want
  want=$(tr '[:upper:]' '[:lower:]' <<<"${1//-/}")
  locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]' | tr -d '-' | grep -qx "$want"
}
ungenerated=()
for l in "${locales[@]}"; do
  have_locale "$l" || ungenerated+=("$l")
done
if [ ${#ungenerated[@]} -gt 0 ]; then
  echo "Generating the locales ${ungenerated[*]}"
  for l in "${ungenerated[@]}"; do
    grep -q "^$l UTF-8" /etc/locale.gen 2>/dev/null || echo "$l UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
  done
  as_root locale-gen >/dev/null
fi
