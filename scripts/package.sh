#!/usr/bin/env bash
# package.sh [PRESET]: builds the programs (the i686 ones, preset win32, unless told otherwise)
# and packs the release zip through CMake's install rules; prints the zip's path and SHA-256.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1
scripts/deps.sh || exit 1

preset=${1:-win32}
build="build/$preset"
log="build/$preset-package.log"
mkdir -p build
if ! {
  cmake --preset "$preset" &&
    cmake --build --preset "$preset" --target Zibbet PracticeHost &&
    (cd "$build" && cpack --config CPackConfig.cmake)
} >"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
zip=$(sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' "$log" | tail -1)
if [ ! -f "$zip" ]; then
  echo "cpack made no zip (see $log)" >&2
  exit 1
fi
echo "$zip"
sha256sum "$zip" | cut -d' ' -f1
