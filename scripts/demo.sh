#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the bundled samples.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-"$root/build"}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$build" -DZV_BUILD_TESTS=OFF
"$build/bin/zvhost" list "$build/lib/libzv_geotools.so"
