# Shared shell helpers: the Wine environment and private Xvfb displays. Sourced, not run.
ZIBBET_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${ZIBBET_WINEPREFIX:-$ZIBBET_ROOT/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono/Gecko install dialogs: nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Some kernels (this kind of sandbox among them) cannot execute 32-bit code at all; Wine's 32-bit
# loader fails there, and only 64-bit Windows programs run.
if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  ZIBBET_I686_RUNS=1
  ZIBBET_WINE=(wine)
else
  ZIBBET_I686_RUNS=0
  export WINELOADER=/usr/lib/wine/wine64
  ZIBBET_WINE=(/usr/lib/wine/wine64)
fi

# The build whose programs Wine can run here.
zibbet_run_preset() {
  if [ "$ZIBBET_I686_RUNS" = 1 ]; then echo win32; else echo win64; fi
}

# Starts a private Xvfb on a free display, with a window manager on it (as on a desktop: focus,
# stacking, the topmost band) unless ZIBBET_BARE_DISPLAY=1; sets DISPLAY and ZIBBET_XVFB_PID.
zibbet_start_xvfb() {
  local out i num
  out=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$out" >/dev/null 2>&1 &
  ZIBBET_XVFB_PID=$!
  for i in $(seq 1 600); do
    [ -s "$out" ] && break
    kill -0 "$ZIBBET_XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  num=$(tr -d '[:space:]' <"$out")
  rm -f "$out"
  if [ -z "$num" ]; then
    echo "Xvfb did not start" >&2
    zibbet_stop_xvfb
    return 1
  fi
  export DISPLAY=":$num"
  [ "${ZIBBET_BARE_DISPLAY:-0}" = 1 ] && return 0
  zibbet_start_wm || { zibbet_stop_xvfb; return 1; }
}

# Starts openbox on DISPLAY and waits until it manages the screen; sets ZIBBET_WM_PID.
zibbet_start_wm() {
  local i
  openbox --sm-disable --config-file "$ZIBBET_ROOT/scripts/openbox.xml" >/dev/null 2>&1 &
  ZIBBET_WM_PID=$!
  # The manager announces itself on the root window once it has taken over.
  for i in $(seq 1 200); do
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
      return 0
    fi
    kill -0 "$ZIBBET_WM_PID" 2>/dev/null || break
    sleep 0.05
  done
  echo "the window manager did not start" >&2
  zibbet_stop_wm
  return 1
}

zibbet_stop_wm() {
  if [ -n "${ZIBBET_WM_PID:-}" ]; then
    kill "$ZIBBET_WM_PID" 2>/dev/null || true
    wait "$ZIBBET_WM_PID" 2>/dev/null || true
    ZIBBET_WM_PID=
  fi
  return 0
}

# Stops the display and its window manager.
zibbet_stop_xvfb() {
  zibbet_stop_wm
  if [ -n "${ZIBBET_XVFB_PID:-}" ]; then
    kill "$ZIBBET_XVFB_PID" 2>/dev/null || true
    wait "$ZIBBET_XVFB_PID" 2>/dev/null || true
    ZIBBET_XVFB_PID=
  fi
  return 0
}

# Ends this prefix's wineserver and every Wine process in it.
zibbet_stop_wine() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  return 0
}

# The Windows name of a Unix path: Wine's drive Z: is the root.
zibbet_windows_path() {
  local abs
  abs=$(realpath -m "$1")
  echo "Z:${abs//\//\\}"
}

# zibbet_build TARGET...: configures and builds the targets in the build whose programs Wine can
# run here; sets ZIBBET_BIN to that build's program folder.
zibbet_build() {
  local preset
  preset=$(zibbet_run_preset)
  local log="$ZIBBET_ROOT/build/$preset-build.log"
  mkdir -p "$ZIBBET_ROOT/build"
  if ! { cmake --preset "$preset" && cmake --build --preset "$preset" --target "$@"; } >"$log" 2>&1
  then
    cat "$log" >&2
    return 1
  fi
  ZIBBET_BIN="$ZIBBET_ROOT/build/$preset/bin"
}
