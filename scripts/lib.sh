# Shared shell helpers: the Wine environment and private Xvfb displays. Sourced, not run.
ZIBBET_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${ZIBBET_WINEPREFIX:-$ZIBBET_ROOT/build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono/Gecko install dialogs: nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Starts a private Xvfb on a free display; sets DISPLAY and ZIBBET_XVFB_PID.
zibbet_start_xvfb() {
  local out
  out=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$out" >/dev/null 2>&1 &
  ZIBBET_XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    if [ -s "$out" ]; then break; fi
    if ! kill -0 "$ZIBBET_XVFB_PID" 2>/dev/null; then break; fi
    sleep 0.05
  done
  local num
  num=$(tr -d '[:space:]' <"$out")
  rm -f "$out"
  if [ -z "$num" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$num"
}

zibbet_stop_xvfb() {
  if [ -n "${ZIBBET_XVFB_PID:-}" ]; then
    kill "$ZIBBET_XVFB_PID" 2>/dev/null
    wait "$ZIBBET_XVFB_PID" 2>/dev/null
    ZIBBET_XVFB_PID=
  fi
}

# Ends this prefix's wineserver and every Wine process in it.
zibbet_stop_wine() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
}
