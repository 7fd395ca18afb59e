#!/usr/bin/env bash
# Builds and starts the practice host under Wine, and Zibbet beside it, on the user's X display.
# Without DISPLAY it plays a short visit on a private Xvfb instead and saves it as an animated GIF
# and a screenshot.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1
scripts/deps.sh || exit 1
source scripts/lib.sh

echo "Building ..."
if [ -z "${DISPLAY:-}" ]; then
  zibbet_build PracticeHost Zibbet zibbet_probe || exit 1
  echo "No DISPLAY: playing a short visit on a private Xvfb ..."
  exec scripts/with-display python3 scripts/visit.py --bin "$ZIBBET_BIN" \
    --out "$ZIBBET_ROOT/build/screenshots"
fi
zibbet_build PracticeHost Zibbet || exit 1
scripts/wine-prefix.sh || exit 1
bin="$ZIBBET_BIN"

trap zibbet_stop_wine EXIT
trap 'exit 130' INT TERM

log="build/practicehost.log"
: >"$log"
"${ZIBBET_WINE[@]}" "$bin/PracticeHost.exe" --log "$(zibbet_windows_path "$log")" &
host=$!

# The host writes its first log line once its windows are up.
for _ in $(seq 1 300); do
  [ -s "$log" ] && break
  kill -0 "$host" 2>/dev/null || break
  sleep 0.1
done
if [ ! -s "$log" ]; then
  echo "the practice host did not start" >&2
  exit 1
fi
"${ZIBBET_WINE[@]}" "$bin/Zibbet.exe" &
echo "Practice host and Zibbet running on $DISPLAY (the host's log: $log)."
echo "Close the practice host's window to stop; Zibbet's splash picture opens its console."
wait "$host"
