#!/usr/bin/env bash
# Configures and builds Pagehold into a build folder (default: build/).
# Environment: PAGEHOLD_BUILD (folder), PAGEHOLD_WERROR, PAGEHOLD_SANITIZE (ON/OFF).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${PAGEHOLD_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${PAGEHOLD_BUILD_TYPE:-RelWithDebInfo} \
  -DPAGEHOLD_WERROR=${PAGEHOLD_WERROR:-OFF} -DPAGEHOLD_SANITIZE=${PAGEHOLD_SANITIZE:-OFF} >/dev/null
cmake --build "$build" "$@"
