#!/usr/bin/env bash
# Runs, one after the other, the benchmark of each main job against its yardstick and prints
# each job's ratio counters with the machine's load when it started: on a shared machine a
# ratio means little without the load it was measured under. Build first (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bench=${PAGEHOLD_BUILD:-build}/bench

# The archive run is measured twice: in the temporary folder, where a disk file system's state
# (how many files it deleted lately) can swing both sides' time of creating files, and in memory
# (/dev/shm), where what remains is the work of each side.
memory=/dev/shm

# job | program | benchmark filter | counters shown | target | temporary folder (default: TMPDIR)
jobs=(
  "delete every item of a 50,000-entry IE cache|ie_delete_bench|BM_DeleteEveryItemRatio|ratio|< 2 x list and unlink"
  "read a 100,000-entry Fat.db|nav_read_bench|BM_ReadCacheIndexRatio|ratio|<= 1.3 x read and stat"
  "archive run, 20,000 items|archive_bench|BM_ArchiveRunRatioToPlainCopy|ratio_cpu ratio_wall|<= 2.5 x cp -r"
  "archive run growth 5,000 -> 20,000|archive_bench|BM_ArchiveRunGrowth|growth_cpu growth_wall|<= 4.8 (4 is linear)"
  "archive run, 20,000 items, in memory|archive_bench|BM_ArchiveRunRatioToPlainCopy|ratio_cpu ratio_wall|<= 2.5 x cp -r|$memory"
  "archive growth 5,000 -> 20,000, in memory|archive_bench|BM_ArchiveRunGrowth|growth_cpu growth_wall|<= 4.8 (4 is linear)|$memory"
  "pagehold list --ie, 50,000 entries|ie_list_bench|BM_ListAgainstExportRatio|ratio|<= 0.5 x msiecfexport"
  "search by text, 30,000 items|search_bench|BM_SearchCommandAgainstGrep|ratio ratio_cpu|<= 0.5 x grep -rlF"
)

for job in "${jobs[@]}"; do
  IFS='|' read -r title program filter counters target folder <<<"$job"
  [[ -n "$folder" && ! -d "$folder" ]] && continue
  load=$(cut -d' ' -f1-3 /proc/loadavg)
  line=$(TMPDIR=${folder:-${TMPDIR:-/tmp}} "$bench/$program" --benchmark_filter="^$filter" \
    2>/dev/null | grep "^$filter" || true)
  shown=""
  for counter in $counters; do
    value=$(grep -o "$counter=[^ ]*" <<<"$line" || echo "$counter=(no result)")
    shown+="$value "
  done
  printf '%-42s %-34s target %-24s load %s\n' "$title" "$shown" "$target" "$load"
done
