#!/usr/bin/env bash
# Sets up a fresh machine, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
build=${PAGEHOLD_BUILD:-build}
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
