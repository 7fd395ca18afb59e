#!/usr/bin/env bash
# Renders each of Zibbet's five windows under Xvfb and writes one PNG per window to
# docs/screenshots/: NAME.png at 100 % (96 dpi) and beside it NAME-150.png at 150 % (144 dpi).
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1
scripts/deps.sh || exit 1
source scripts/lib.sh
zibbet_build Zibbet PracticeHost zibbet_probe || exit 1
out="$ZIBBET_ROOT/docs/screenshots"
scripts/with-display python3 tests/e2e/screenshots.py --bin "$ZIBBET_BIN" --out "$out" || exit 1
scaled=$(mktemp -d)
trap 'rm -rf "$scaled"' EXIT
scripts/with-prefix 144dpi scripts/with-display python3 tests/e2e/screenshots.py \
  --bin "$ZIBBET_BIN" --out "$scaled" >/dev/null || exit 1
for shot in "$scaled"/*.png; do
  mv "$shot" "$out/$(basename "$shot" .png)-150.png"
  echo "$out/$(basename "$shot" .png)-150.png"
done
