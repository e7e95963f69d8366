#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-"$root/build"}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$build" -DZV_BUILD_TESTS=ON "$@"
cd "$build"
ctest --output-on-failure -j "$(nproc)" --timeout 600
