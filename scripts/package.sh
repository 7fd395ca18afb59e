#!/usr/bin/env bash
# package.sh [PRESET]: builds the programs (the i686 ones, preset win32, unless told otherwise)
# and packs the release zip with SHA256SUMS beside it; prints the zip's path and SHA-256.
# Packing needs only CMake, Ninja, the MinGW-w64 compiler, Python and git (for the commit's
# time): those are what it installs when they are missing.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1

preset=${1:-win32}
case $preset in
  win32) compiler=g++-mingw-w64-i686 ;;
  win64) compiler=g++-mingw-w64-x86-64-posix ;;
  *)
    echo "package.sh: no release for preset $preset (win32 or win64)" >&2
    exit 2
    ;;
esac
scripts/deps.sh cmake ninja-build "$compiler" python3 git || exit 1

build="build/$preset"
log="build/$preset-package.log"
mkdir -p build
if ! {
  cmake --preset "$preset" && cmake --build --preset "$preset" --target release_zip
} >"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
read -r digest name <"$build/package/SHA256SUMS" || exit 1
echo "$PWD/$build/package/$name"
echo "$digest"
