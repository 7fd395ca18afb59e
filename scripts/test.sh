#!/usr/bin/env bash
# Builds everything (native, 32-bit and 64-bit Windows) and runs every test: the portable core
# natively under ASan/UBSan, the Windows programs under Wine. Ends with one summary line.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1
scripts/deps.sh || exit 1
source scripts/lib.sh

passed=0
failed=0
broken=0

# suite PRESET [ctest args...]
suite() {
  local preset=$1
  shift
  echo "== $preset: configure and build"
  if ! cmake --preset "$preset" >"build/$preset-configure.log" 2>&1; then
    cat "build/$preset-configure.log"
    broken=1
    return
  fi
  if ! cmake --build --preset "$preset"; then
    broken=1
    return
  fi
  echo "== $preset: test"
  local log="build/$preset-ctest.log"
  ctest --preset "$preset" "$@" 2>&1 | tee "$log"
  local line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [ -z "$line" ]; then
    broken=1
    return
  fi
  bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

mkdir -p build
scripts/wine-prefix.sh || exit 1

suite native -j2
suite fuzz
if [ "$ZIBBET_I686_RUNS" = 1 ]; then
  suite win32
  suite win64 -LE wine
else
  echo "(this kernel cannot run 32-bit code: the Wine tests run on the 64-bit build)"
  suite win32 -LE wine
  suite win64
fi

[ "$broken" = 1 ] && echo "a build or test run broke before its tests finished"
echo "total: $passed passed, $failed failed"
[ "$failed" = 0 ] && [ "$broken" = 0 ]
