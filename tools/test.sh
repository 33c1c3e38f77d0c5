#!/usr/bin/env bash
# Installs what is missing, builds the Linux and the Windows presets, and runs
# every test: natively, and the cross-built ones under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh

cmake --preset native
cmake --build --preset native
ctest --preset native

# The native tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake --preset native-sanitize
cmake --build --preset native-sanitize
ctest --preset native-sanitize

# The window tests need an X display: a private one, gone when this ends.
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

cmake --preset windows
cmake --build --preset windows
ctest --preset windows
