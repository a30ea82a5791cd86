#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for SECONDS, starting from seeds made afresh and the
# corpus that earlier runs left in the fuzz build. Prints the executions each target made; a
# crash, hang, leak or broken rule stops that target, keeps its input under
# <fuzz build>/findings/ and makes the script fail.
#
#   scripts/fuzz.sh [TARGET ...] [--seconds N]      (default: every target, 20 seconds each)
#
# Environment: PAGEHOLD_FUZZ_BUILD (default build-fuzz), PAGEHOLD_TOOLS_BUILD (the g++ build
# whose generators make the seeds, default build), PAGEHOLD_FUZZ_JOBS (targets run at once,
# default the number of cores).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=20
targets=()
while (($#)); do
  case $1 in
    --seconds) seconds=$2; shift 2 ;;
    *) targets+=("${1%_fuzz}_fuzz"); shift ;;
  esac
done
fuzz_build=${PAGEHOLD_FUZZ_BUILD:-build-fuzz}
tools_build=${PAGEHOLD_TOOLS_BUILD:-build}
jobs=${PAGEHOLD_FUZZ_JOBS:-$(nproc)}

bash scripts/setup.sh clang libclang-rt-14-dev
if [ ! -f "$fuzz_build/build.ninja" ]; then
  cmake -S . -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DPAGEHOLD_FUZZ=ON -DPAGEHOLD_TESTS=OFF -DPAGEHOLD_GUI=OFF \
    -DPAGEHOLD_WERROR=ON >/dev/null
fi
cmake --build "$fuzz_build" --target fuzz_targets
# The generators come from the g++ build; an existing one is only brought up to date.
generators=(make_nav_cache make_ie_cache pagehold)
if [ -f "$tools_build/build.ninja" ]; then
  cmake --build "$tools_build" --target "${generators[@]}"
else
  PAGEHOLD_BUILD=$tools_build bash scripts/build.sh --target "${generators[@]}"
fi
bash fuzz/seeds.sh "$tools_build" "$fuzz_build/seeds"

if ((${#targets[@]} == 0)); then
  for program in "$fuzz_build"/fuzz/*_fuzz; do targets+=("$(basename "$program")"); done
fi
mkdir -p "$fuzz_build/logs" "$fuzz_build/findings"

# Whole index files need room for a header and several pages; every other input stays small.
max_len() {
  case $1 in
    index_dat_fuzz | nav_index_page_fuzz) echo 65536 ;;
    *) echo 8192 ;;
  esac
}

run_target() {
  local target=$1 log=$fuzz_build/logs/$1.log
  mkdir -p "$fuzz_build/corpus/$target"
  if "$fuzz_build/fuzz/$target" "$fuzz_build/corpus/$target" "$fuzz_build/seeds/$target" \
    -max_total_time="$seconds" -max_len="$(max_len "$target")" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$fuzz_build/findings/$target-" >"$log" 2>&1; then
    echo ok >"$log.result"
  else
    echo FAILED >"$log.result"
  fi
}

echo "== fuzzing ${#targets[@]} targets for $seconds s each, $jobs at a time"
for target in "${targets[@]}"; do
  while (($(jobs -rp | wc -l) >= jobs)); do wait -n || true; done
  run_target "$target" &
done
wait

failed=0
printf '%-22s %12s %10s  %s\n' target executions "exec/s" result
for target in "${targets[@]}"; do
  log=$fuzz_build/logs/$target.log
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  result=$(cat "$log.result")
  printf '%-22s %12s %10s  %s\n' "$target" "${runs:--}" "${speed:--}" "$result"
  if [ "$result" != ok ]; then
    failed=1
    tail -n 40 "$log" >&2
  fi
done
exit $failed
