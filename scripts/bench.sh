#!/usr/bin/env bash
# Builds the benchmark and prints its table, measured in one run under Wine. Zibbet.exe's file
# size and imports come from both Windows builds (the product is the i686 one, which this kernel
# may be unable to run), and a few rows from a display without a window manager; they go to the
# bench program as rows, so that one table comes out.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1
scripts/deps.sh || exit 1
source scripts/lib.sh

run_preset=$(zibbet_run_preset)

# pe_rows PRESET TOOL_PREFIX LABEL: "measure|value|target" rows for one build's Zibbet.exe.
pe_rows() {
  local exe="build/$1/bin/Zibbet.exe" tools=$2 label=$3
  local bytes stripped stripped_bytes dlls
  bytes=$(stat -c %s "$exe") || return 1
  # What the file would be without its symbols and debug sections, for comparison.
  stripped=$(mktemp) || return 1
  "$tools-strip" -o "$stripped" "$exe" || { rm -f "$stripped"; return 1; }
  stripped_bytes=$(stat -c %s "$stripped")
  rm -f "$stripped"
  dlls=$("$tools-objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '[:upper:]' '[:lower:]' |
    sed 's/\.dll$//' | sort -u | tr '\n' ' ')
  echo "Zibbet.exe, $label: file size|$((bytes / 1024)) KiB|(stripped: $((stripped_bytes / 1024)) KiB)"
  echo "Zibbet.exe, $label: imported DLLs|${dlls% }|system DLLs only"
}

rows=()
for preset in win32 win64; do
  targets=(Zibbet)
  [ "$preset" = "$run_preset" ] && targets+=(zibbet_bench PracticeHost)
  cmake --preset "$preset" >/dev/null || exit 1
  cmake --build --preset "$preset" --target "${targets[@]}" >/dev/null || exit 1
  case $preset in
    win32) tools=i686-w64-mingw32 label="i686 (product)" ;;
    win64) tools=x86_64-w64-mingw32 label="x86_64" ;;
  esac
  [ "$preset" = "$run_preset" ] && label="$label, measured"
  found=$(pe_rows "$preset" "$tools" "$label") || exit 1
  mapfile -t -O "${#rows[@]}" rows <<<"$found"
done

bench="build/$run_preset/bin/zibbet_bench.exe"
# The private display has a window manager, as a desktop has. The rows whose time depends most on
# it are measured once more without one, for comparison, and handed to the main run as rows.
bare=$(ZIBBET_BARE_DISPLAY=1 scripts/wine-run "$bench" --desktop) || { echo "$bare"; exit 1; }
# Right after the main run's own desktop rows: before the file sizes.
# Only its rows: not the header, its rule, or anything else the run printed.
mapfile -t bare_rows < <(awk -F'|' '/^\|/ {
  for (i = 2; i <= 4; i++) gsub(/^ +| +$/, "", $i)
  if ($2 == "measure" || $2 ~ /^-+$/) next
  print $2 "|" $3 "|" $4 }' <<<"$bare")
rows=("${bare_rows[@]}" "${rows[@]}")

scripts/wine-run "$bench" "${rows[@]}"
