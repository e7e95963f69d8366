#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need.
# Does nothing when everything is already there; needs root (or sudo) otherwise.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev clang-format
  # host libraries
  libshp-dev libproj-dev proj-data
  # locales the tests run under (ru_RU.UTF-8 and en_US.UTF-8 are made below)
  locales
  # independent readers used by the tests
  python3 python3-pyshp python3-openpyxl unzip proj-bin shapelib
  # fuzzing (clang with libFuzzer)
  clang libclang-rt-14-dev
  # anchors of the benchmarks
  zlib1g-dev libdeflate-dev libxlsxwriter-dev python3-pyproj python3-numpy
  # the Windows build (MinGW-w64, posix threads), its GoogleTest sources and
  # zlib, and Wine to run it
  g++-mingw-w64-x86-64-posix googletest libz-mingw-w64-dev wine64
)

# The locales the tests switch to (Wine takes its ANSI code page from the
# one it starts in); each made once, when it is missing.
make_locale() {
  local name
  for name in ru_RU en_US; do
    locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8$" && continue
    "${sudo_cmd[@]}" localedef -i "$name" -f UTF-8 "$name.UTF-8"
  done
}

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  make_locale
  exit 0
fi

echo "installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
make_locale
