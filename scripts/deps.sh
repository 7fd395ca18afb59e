#!/usr/bin/env bash
# deps.sh [PACKAGE...]: installs the Debian packages the build and tests need (as root), or
# prints the line to run. With packages named, only those, and no locale.
set -euo pipefail

packages=(cmake ninja-build g++ googletest
  g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix wine wine32:i386 wine64
  xvfb xdotool x11-utils imagemagick fonts-liberation python3 clang libclang-rt-14-dev openbox locales)
if [ $# -gt 0 ]; then packages=("$@"); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
# The code page 932 tests run Wine under a Japanese locale, which glibc has only once it is built.
locale_missing=0
if [ $# -eq 0 ] && ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8'; then locale_missing=1; fi
locale_line="localedef -i ja_JP -f UTF-8 ja_JP.UTF-8"
[ ${#missing[@]} -eq 0 ] && [ $locale_missing -eq 0 ] && exit 0

need_i386=0
if printf '%s\n' "${missing[@]}" | grep -q ':i386$' &&
  ! dpkg --print-foreign-architectures | grep -qx i386; then need_i386=1; fi

if [ "$(id -u)" -ne 0 ]; then
  line=""
  if [ ${#missing[@]} -gt 0 ]; then
    line="apt-get update && apt-get install -y ${missing[*]}"
    [ $need_i386 -eq 1 ] && line="dpkg --add-architecture i386 && $line"
  fi
  [ $locale_missing -eq 1 ] && line="${line:+$line && }$locale_line"
  echo "Missing packages or locales. Run as root:" >&2
  echo "  sudo sh -c '$line'" >&2
  exit 1
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  [ $need_i386 -eq 1 ] && dpkg --add-architecture i386
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi
if [ $locale_missing -eq 1 ]; then
  $locale_line
fi
