#!/usr/bin/env bash
# Builds Quillobar and starts it: one 1 GB cycle of the console front end on
# a temporary folder.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target quillobar-cli
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
build/native/bin/quillobar-cli --drive "$scratch" --size-gb 1 --cycles 1
