#!/usr/bin/env bash
# Installs what is missing, builds the Linux and the Windows presets, and runs
# every test: natively, and the cross-built ones under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh

cmake --preset native
cmake --build --preset native
ctest --preset native

cmake --preset windows
cmake --build --preset windows
ctest --preset windows
