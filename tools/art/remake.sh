#!/usr/bin/env bash
# Draws Zibbet's pictures and icons anew into src/forms/pictures/ (the practice host's icon into
# practicehost/), with the native build's generator.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$root"
[ -f build/native/CMakeCache.txt ] || cmake --preset native >/dev/null
cmake --build --preset native --target zibbet_artgen
build/native/bin/zibbet_artgen src/forms/pictures
mv src/forms/pictures/practicehost.ico practicehost/
git status --short src/forms/pictures practicehost/practicehost.ico
