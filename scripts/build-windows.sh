#!/usr/bin/env bash
# Cross-builds the Windows tree with MinGW-w64: scripts/build-windows.sh [BUILD_DIR] [cmake options...]
# The DLLs (zv_geotools.dll, the host libraries), zvhost.exe and the test
# programs all land in <build>/bin/; Wine runs them with the prefix in
# <build>/wine (see scripts/test-windows.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build-windows"}
shift || true
cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" "$@" >/dev/null
cmake --build "$build" -j "${ZV_JOBS:-$(nproc)}"
