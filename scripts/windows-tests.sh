#!/usr/bin/env bash
# Runs the Windows code paths for real: cross-compiles the core, the command and the tests with
# mingw-w64 and runs them under Wine (registry API, WinINet, the shell, file replacement through
# MoveFileEx), then checks the Windows build against the Linux one: Pagehold's index.dat reader
# on the URL cache that Wine's WinINet wrote, and the demo's archive of the bundled samples,
# which must be the Linux archive apart from dates and path separators.
# Needs the Linux build (PAGEHOLD_BUILD, default build/) with its tests and tools.
# Environment: PAGEHOLD_WINDOWS_BUILD (default build-windows/), PAGEHOLD_BUILD, PAGEHOLD_WERROR.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${PAGEHOLD_WINDOWS_BUILD:-build-windows}
linux_build=${PAGEHOLD_BUILD:-build}

bash scripts/setup.sh g++-mingw-w64-x86-64 googletest wine wine64
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAGEHOLD_WERROR="${PAGEHOLD_WERROR:-OFF}" >/dev/null
cmake --build "$build"

# A Wine prefix of the build's own, made once (Wine's first start takes a while), with no
# display and no prompts for the .NET and HTML engines, which these programs never use.
export WINEPREFIX="$root/$build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
mkdir -p "$WINEPREFIX"
# One Wine server for every program of the run, ended with it.
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
# Wine's background services are started here, away from the output of the tests: a service
# that a test started would hold its output open, and the test runner would wait for it.
if [ -f "$WINEPREFIX/system.reg" ]; then
  wineboot >"$build/wineboot.log" 2>&1
else
  echo "Preparing the Wine prefix $WINEPREFIX" >&2
  wineboot -i >"$build/wineboot.log" 2>&1
fi

echo "== the tests under Wine"
export PAGEHOLD_WINE_CACHE="$root/$build/wine-url-cache"
rm -rf "$PAGEHOLD_WINE_CACHE"
mkdir -p "$PAGEHOLD_WINE_CACHE"
ctest --test-dir "$build" --output-on-failure -j 2
echo "== tests skipped under Wine, with their reasons"
grep -h -A1 ': Skipped$' "$build/Testing/Temporary/LastTest.log" | grep -v '^--$' | paste - - |
  sort -u || true

echo "== Pagehold's index.dat reader on the URL cache that Wine's WinINet wrote"
agreement=$("$linux_build/tests/pagehold_tests_sources" --gtest_brief=1 \
  --gtest_filter='WineCacheAgreementTest.*')
echo "$agreement"
grep -q 'PASSED.* 1 test' <<<"$agreement"

echo "== the demo's archive made under Wine against the same on Linux"
demo="$root/$build/demo"
rm -rf "$demo"
PAGEHOLD_DEMO_ARCHIVE="$demo/linux" PAGEHOLD_DEMO_PROGRAM="$root/$linux_build/bin/pagehold" \
  bash scripts/demo.sh >/dev/null
PAGEHOLD_DEMO_ARCHIVE="$demo/windows" PAGEHOLD_DEMO_PROGRAM="wine $root/$build/bin/pagehold.exe" \
  bash scripts/demo.sh >/dev/null
"$linux_build/bin/compare_archives" "$demo/linux" "$demo/windows"
