#!/usr/bin/env bash
# Records PROJ's answers for the Windows build's PROJ replay: runs the Linux
# tests that reach PROJ through zvk_proj4_d2 with the recorder preloaded and
# writes what PROJ answered to tests/data/proj/answers.txt, or OUT (sorted,
# each answer once). Run it after a test asks PROJ something new (the Windows
# test run records afresh into its build folder where a Linux build exists):
#   scripts/record-proj-answers.sh [BUILD_DIR [OUT]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
"$root/scripts/build.sh" "$build" -DZV_BUILD_TESTS=ON
build=$(cd "$build" && pwd) # the preload is found from any folder
out=${2:-"$root/tests/data/proj/answers.txt"}
raw=$(mktemp)
trap 'rm -f "$raw"' EXIT
mkdir -p "$(dirname "$out")"
# The projection library's own tests, and every run of the module's tools.
export LD_PRELOAD="$build/lib/libzv_proj_recorder.so" ZV_PROJ_RECORD="$raw"
"$build/bin/zvk_proj4_d2_test" >/dev/null
(cd "$build" && ctest -L 'integration|e2e' >/dev/null)
unset LD_PRELOAD
# Objects PROJ made for itself, out of the double's sight, carry no name.
grep -v "$(printf '\t')[^$(printf '\t')]*unnamed" "$raw" | LC_ALL=C sort -u > "$out"
echo "$(wc -l < "$out") answers in $out"
