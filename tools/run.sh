#!/usr/bin/env bash
# Builds Quillobar and starts it: the Windows program under Wine on this X
# display, or, where there is no display, one 1 GB cycle of the console
# front end on a temporary folder.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target quillobar
  exec cmake/wine-run.sh build/windows/bin/quillobar.exe
fi

echo "No X display: running the console front end for one 1 GB cycle instead."
cmake --preset native >/dev/null
cmake --build --preset native --target quillobar-cli
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
build/native/bin/quillobar-cli --drive "$scratch" --size-gb 1 --cycles 1
