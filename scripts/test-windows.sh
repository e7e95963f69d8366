#!/usr/bin/env bash
# Builds the Windows tree and runs its tests under Wine, headless, with the
# prefix inside the build folder: scripts/test-windows.sh [BUILD_DIR]
# The suite runs twice, with the Russian and with the English system code
# page (Wine takes the ANSI code page from the locale it starts in).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build-windows"}
"$root/scripts/install-deps.sh"
"$root/scripts/build-windows.sh" "$build"
build=$(cd "$build" && pwd)

export WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
wineserver=$(dirname "$(sed -n 's/^exec "\(.*\)" "\$@"$/\1/p' "$build/wine-run")")/wineserver
# One server for every program of the run, started with the prefix (quietly)
# and stopped at the end.
mkdir -p "$WINEPREFIX"
"$wineserver" -k 2>/dev/null || true
"$wineserver" -p
trap '"$wineserver" -k || true' EXIT
LANG=en_US.UTF-8 "$build/wine-run" cmd /c exit >/dev/null 2>&1 || true

# These tests read inputs that pyshp (a Linux program, which a Windows
# program cannot run under Wine) writes for them; they run on Linux only,
# and the tools are run on Windows by the end-to-end tests below.
linux_only='zvk_file_dbf_test|zvk_file_shp_test|attribute_export_test|prf_processing_test'
linux_only+='|zv_pgn_oriented_axes2d_test|zv_tos_graph_x2y_test|samples.reproducible'

cd "$build"
for lang in ru_RU.UTF-8 en_US.UTF-8; do
  echo "== Windows tests under Wine, LANG=$lang"
  LANG=$lang LC_ALL= ctest --output-on-failure -j "${ZV_JOBS:-$(nproc)}" --timeout 600 \
    -L 'unit|integration' -E "$linux_only"
done
