#!/usr/bin/env bash
# Builds Pagehold and archives the bundled sample caches (samples/nav, and samples/ie when it is
# there) into out/demo-archive, then prints where the archive's index page is. Running it again
# brings the same archive up to date in place.
# Environment: PAGEHOLD_BUILD (build folder, default build/), PAGEHOLD_DEMO_ARCHIVE (the
# archive folder, default out/demo-archive), PAGEHOLD_DEMO_PROGRAM (the command that runs
# pagehold, such as "wine build-windows/bin/pagehold.exe"; default: the one built here, which
# the script builds first).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [ -n "${PAGEHOLD_DEMO_PROGRAM:-}" ]; then
  read -ra pagehold <<<"$PAGEHOLD_DEMO_PROGRAM"
else
  bash scripts/setup.sh
  bash scripts/build.sh --target pagehold
  pagehold=("$root/${PAGEHOLD_BUILD:-build}/bin/pagehold")
fi
archive=${PAGEHOLD_DEMO_ARCHIVE:-$root/out/demo-archive}

index_page=
archive_samples() {
  echo "Archiving $2 into $archive" >&2
  index_page=$("${pagehold[@]}" archive "$1" "$2" --to "$archive" --yes | tail -n 1)
}

archive_samples --nav samples/nav/fat.db
if [ -f samples/ie/index.dat ]; then
  archive_samples --ie samples/ie
fi

echo
echo "The archive's index page is: $index_page"
echo "Open it in any web browser; its links work offline."
