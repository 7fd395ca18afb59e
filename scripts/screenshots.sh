#!/usr/bin/env bash
# Renders each of Zibbet's five windows under Xvfb and writes one PNG per window to
# docs/screenshots/.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1
scripts/deps.sh || exit 1
source scripts/lib.sh
zibbet_build Zibbet PracticeHost zibbet_probe || exit 1
scripts/with-display python3 tests/e2e/screenshots.py --bin "$ZIBBET_BIN" \
  --out "$ZIBBET_ROOT/docs/screenshots"
