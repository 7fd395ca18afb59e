#!/usr/bin/env bash
# Builds the benchmark and prints its table, measured in one run under Wine.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1
scripts/deps.sh || exit 1
source scripts/lib.sh
preset=$(zibbet_run_preset)
cmake --preset "$preset" >/dev/null || exit 1
cmake --build --preset "$preset" --target zibbet_bench PracticeHost >/dev/null || exit 1
scripts/wine-run "build/$preset/bin/zibbet_bench.exe"
