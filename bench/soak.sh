#!/usr/bin/env bash
# Soak: 20 one-gigabyte cycles through the console front end, natively and,
# when it is built, the Windows one under Wine. Prints resident memory and
# open handles at the start and after the last cycle, with the spread over
# all cycles. Usage: bench/soak.sh [cycles]   (from the source folder, after
# both presets are built)
set -euo pipefail
cd "$(dirname "$0")/.."
cycles=${1:-20}

summarise() {  # label, output file
  awk -v label="$1" '
    /^resources:/ {
      split($2, r, "="); split($3, h, "=");
      n++; rss[n] = r[2]; hd[n] = h[2]
    }
    /^result:/ { result = $0 }
    END {
      minr = maxr = rss[2]; minh = maxh = hd[2]
      for (i = 2; i <= n; i++) {
        if (rss[i] < minr) minr = rss[i]; if (rss[i] > maxr) maxr = rss[i]
        if (hd[i] < minh) minh = hd[i]; if (hd[i] > maxh) maxh = hd[i]
      }
      printf "%s start resident_kb=%d handles=%d; after cycle %d resident_kb=%d handles=%d; over all cycles resident_kb %d..%d handles %d..%d; %s\n",
        label, rss[1], hd[1], n - 1, rss[n], hd[n], minr, maxr, minh, maxh, result
    }' "$2"
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

build/native/bin/quillobar-cli --drive "$scratch" --size-gb 1 --cycles "$cycles" --report-resources > "$scratch/native.txt"
summarise native "$scratch/native.txt"

if [ -x build/windows/bin/quillobar-cli.exe ]; then
  cmake/wine-run.sh build/windows/bin/quillobar-cli.exe --drive 'C:\' --size-gb 1 --cycles "$cycles" \
    --report-resources > "$scratch/windows.txt"
  summarise "windows (Wine)" "$scratch/windows.txt"
fi
