#!/usr/bin/env bash
# Writes the seed inputs of every fuzz target into SEEDS/<target>/, made afresh each time from
# the bundled samples, the test cache generators and the archive run of the samples (all built
# in TOOLS_BUILD, a g++ build folder), and from the shared fixtures where they lie.
#
#   fuzz/seeds.sh TOOLS_BUILD SEEDS
set -euo pipefail
cd "$(dirname "$0")/.."
tools=$(realpath "$1")/bin
seeds=$2
shared=../shared
rm -rf "$seeds"
mkdir -p "$seeds"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

seed() {  # seed TARGET FILE...: copies existing files into the target's seeds
  local target=$1
  shift
  mkdir -p "$seeds/$target"
  for file in "$@"; do
    if [ -f "$file" ]; then cp "$file" "$seeds/$target/$(basename "$file" | tr -c 'A-Za-z0-9._\n-' _)"; fi
  done
}

# Navigator indexes of both page sizes and the text index, written through the hash library.
for size in 4096 16384; do
  "$tools/make_nav_cache" synthetic "$work/nav-$size" --entries 60 --page-size $size >/dev/null
  cp "$work/nav-$size/fat.db" "$work/paged-$size.db"
done
"$tools/make_nav_cache" synthetic "$work/nav-text" --entries 40 --text >/dev/null
seed nav_index_page_fuzz "$work"/paged-*.db samples/nav/fat.db
seed nav_text_index_fuzz "$work/nav-text/fat.db" "$shared"/fuzz/*.fat.db

"$tools/make_ie_cache" synthetic "$work/ie" --entries 30 >/dev/null
cp "$work/ie/index.dat" "$work/synthetic-index.dat"
seed index_dat_fuzz samples/ie/index.dat "$work/synthetic-index.dat" "$shared"/fixtures/ie/*.dat

# The archive run of both samples gives archive.dat, rewritten pages and index pictures.
export PAGEHOLD_REGISTRY=$work/registry.reg
for source in "--nav samples/nav/fat.db" "--ie samples/ie"; do
  # shellcheck disable=SC2086 # the option and its value
  if ! "$tools/pagehold" archive $source --to "$work/archive" --yes >"$work/archive.log" 2>&1; then
    cat "$work/archive.log" >&2
    exit 1
  fi
done
seed archive_dat_fuzz "$work/archive/archive.dat"
mkdir -p "$seeds/cache_record_fuzz"
{ printf '\0'; cat "$work/archive/archive.dat"; } >"$seeds/cache_record_fuzz/archive.dat"

pages=(samples/nav/*.HTM samples/ie/*/*.htm "$work"/archive/*/text/*.htm)
seed title_scan_fuzz "${pages[@]}"
seed link_rewriter_fuzz "${pages[@]}"
mkdir -p "$seeds/tag_scan_fuzz"
grep -oh '<[^<>]*>' "${pages[@]}" | sort -u | head -n 200 | while IFS= read -r tag; do
  printf '%s\x2a\x00\x00\x00\x00\x00\x00\x00' "${tag#<}" >"$seeds/tag_scan_fuzz/$(printf '%s' "$tag" | md5sum | cut -c1-12)"
done
seed image_size_fuzz samples/nav/*.GIF samples/nav/*.JPG samples/ie/*/*.gif samples/ie/*/*.jpg \
  data/images/*.gif

# Small hand-made texts: a registry file, a prefs.js and a MIMETYPE.DAT, each led by the
# strings the target takes from the input's front (each ended by a backslash and a space, a
# doubled backslash standing for one). The tag and link targets take their choices from the input's end.
mkdir -p "$seeds/registry_text_fuzz" "$seeds/prefs_js_fuzz" "$seeds/mimetype_dat_fuzz"
printf '%s' 'Software\\Corvane\\Pagehold\\General \\\ Reindex directory\ C:\\Archive\ REGEDIT4
[HKEY_CURRENT_USER\Software\Corvane\Pagehold\Browser options]
"FAT Path"="C:\\Navigator\\Cache\\fat.db"
@="unnamed"
"Lines"=hex(1):61,0d,0a,62,00
"Count"=dword:00000002
"Long"=hex:01,02,\
  03,04
[R]
' >"$seeds/registry_text_fuzz/registry.reg"
printf '%s\r\n' 'browser.cache.directory\ // Navigator user preferences' \
  'user_pref("browser.cache.directory", "C:\\Program Files\\Netscape\\Users\\me\\cache");' \
  'user_pref("browser.cache.disk_cache_size", 7680);' 'user_pref("other", "x")' \
  >"$seeds/prefs_js_fuzz/prefs.js"
printf '%s\r\n' 'text/html; charset=koi8-r\ ADDITIONAL MIMETYPES INFO. DO NOT EDIT OR REMOVE!' \
  'application/x-foo' 'IMAGE/GIF' 'noslash' '../x/y' 'model/vrml' >"$seeds/mimetype_dat_fuzz/MIMETYPE.DAT"
