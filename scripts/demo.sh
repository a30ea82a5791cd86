#!/usr/bin/env bash
# Builds Pagehold and archives the bundled sample caches into out/demo-archive.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh pagehold
echo "The archive run is not part of this build yet; the bundled samples will be archived here" \
     "once it is." >&2
exit 1
