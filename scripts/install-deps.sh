#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need.
# Does nothing when everything is already there; needs root (or sudo) otherwise.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev clang-format
  # host libraries
  libshp-dev libproj-dev proj-data
  # independent readers used by the tests
  python3 python3-pyshp python3-openpyxl unzip proj-bin shapelib
  # fuzzing (clang with libFuzzer)
  clang libclang-rt-14-dev
  # anchors of the benchmarks
  zlib1g-dev libdeflate-dev libxlsxwriter-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
echo "installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
