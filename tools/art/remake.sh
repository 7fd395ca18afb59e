#!/usr/bin/env bash
# Draws Zibbet's pictures and icons anew into src/resources/, with the native build's generator.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$root"
[ -f build/native/CMakeCache.txt ] || cmake --preset native >/dev/null
cmake --build --preset native --target zibbet_artgen
build/native/bin/zibbet_artgen src/resources
git status --short src/resources
