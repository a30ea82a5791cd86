#!/usr/bin/env bash
# Builds the desktop programs and starts pagehold-nav on the bundled Navigator sample, with its
# settings in a temporary registry file (removed when the program ends), so that the user's own
# settings stay untouched. The archive goes to out/gui-demo-archive.
# Environment: PAGEHOLD_BUILD (build folder, default build/).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/setup.sh
bash scripts/build.sh --target pagehold-nav

build=${PAGEHOLD_BUILD:-build}
registry=$(mktemp --suffix=.reg)
trap 'rm -f "$registry"' EXIT
cat > "$registry" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Corvane\\Pagehold\\Browser options]
"FAT Path"="$root/samples/nav/fat.db"

[HKEY_CURRENT_USER\\Software\\Corvane\\Pagehold\\Export to disk properties]
"Default directory"="$root/out/gui-demo-archive/"
REG
PAGEHOLD_REGISTRY="$registry" "$root/$build/bin/pagehold-nav"
