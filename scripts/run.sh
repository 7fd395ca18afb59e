#!/usr/bin/env bash
# Builds and starts the practice host under Wine, and Zibbet beside it. On the user's X display
# when DISPLAY is set; otherwise on a private Xvfb, of which it saves a screenshot.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1
scripts/deps.sh || exit 1
source scripts/lib.sh

echo "Building ..."
zibbet_build PracticeHost Zibbet || exit 1
scripts/wine-prefix.sh || exit 1
bin="$ZIBBET_BIN"

own_display=0
if [ -z "${DISPLAY:-}" ]; then
  zibbet_start_xvfb || exit 1
  own_display=1
fi
cleanup() {
  zibbet_stop_wine
  [ "$own_display" = 1 ] && zibbet_stop_xvfb
}
trap cleanup EXIT
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

if [ "$own_display" = 1 ]; then
  sleep 2
  shot="$ZIBBET_ROOT/build/screenshots/run-$(date +%Y%m%d-%H%M%S).png"
  mkdir -p "$(dirname "$shot")"
  import -window root "$shot"
  echo "No DISPLAY: ran on a private Xvfb and saved a screenshot:"
  echo "$shot"
  exit 0
fi
echo "Close the practice host's window to stop; Zibbet's splash picture opens its console."
wait "$host"
