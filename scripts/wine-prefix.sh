#!/usr/bin/env bash
# Makes this checkout's Wine prefix once (about 15 s) and reuses it afterwards.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# Bump the number when the settings below change: older prefixes are then made afresh.
stamp="$WINEPREFIX/.zibbet-ready-3"
[ -f "$stamp" ] && exit 0
mkdir -p "$(dirname "$WINEPREFIX")"
if [ "${1:-}" != --locked ]; then
  # -o: the lock is not handed down to Xvfb and wineserver, which outlive nothing but this script.
  exec flock -o "$WINEPREFIX.lock" "$0" --locked
fi
[ -f "$stamp" ] && exit 0

echo "Creating the Wine prefix in $WINEPREFIX ..."
rm -rf "$WINEPREFIX"
zibbet_start_xvfb
trap 'zibbet_stop_wine; zibbet_stop_xvfb' EXIT
# Where 32-bit code cannot run, wineboot complains about the 32-bit half and still makes the rest.
"${ZIBBET_WINE[@]}" wineboot --init >/dev/null 2>&1 || true
wineserver -w
# Same metrics as the narrow face the windows are designed in.
"${ZIBBET_WINE[@]}" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Arial Narrow' /t REG_SZ \
  /d 'Liberation Sans Narrow' /f >/dev/null 2>&1
# The caption buttons' symbol font, which this Wine does not always find by itself.
if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
fi
# Wine draws the title bars and frames itself, as Windows does, so a window looks and answers as
# its style says (a splash with no control box gets no buttons); the display's window manager
# still manages the windows (Wine's "Managed" default): focus, stacking and the topmost band.
"${ZIBBET_WINE[@]}" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f \
  >/dev/null 2>&1
wineserver -w
if ! grep -q 'Arial Narrow' "$WINEPREFIX/user.reg" 2>/dev/null; then
  echo "could not create the Wine prefix $WINEPREFIX" >&2
  exit 1
fi
touch "$stamp"
