#!/usr/bin/env bash
# Makes this checkout's Wine prefix once (about 15 s) and reuses it afterwards.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

stamp="$WINEPREFIX/.zibbet-ready"
[ -f "$stamp" ] && exit 0
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$stamp" ] && exit 0

echo "Creating the Wine prefix in $WINEPREFIX ..."
rm -rf "$WINEPREFIX"
zibbet_start_xvfb
trap 'zibbet_stop_wine; zibbet_stop_xvfb' EXIT
wineboot --init >/dev/null 2>&1
# Same metrics as the narrow face the windows are designed in.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Arial Narrow' /t REG_SZ \
  /d 'Liberation Sans Narrow' /f >/dev/null 2>&1
wineserver -w
touch "$stamp"
