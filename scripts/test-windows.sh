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
# PROJ's answers for the replay, recorded afresh where the Linux build is
# (so a test that asks PROJ something new needs no re-recording first); the
# recording in tests/data/proj otherwise.
linux_build=${ZV_LINUX_BUILD:-"$root/build"}
if [ -x "$linux_build/bin/pgrid" ]; then
  "$root/scripts/record-proj-answers.sh" "$linux_build" "$build/proj_answers.txt" >/dev/null
  export ZV_PROJ_ANSWERS="Z:$build/proj_answers.txt"
fi

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
linux_only='zvk_file_dbf_test|zvk_file_shp_test|attribute_export_test|zv_tos_graph_x2y_test'
linux_only+='|samples.reproducible'

# The module exports exactly its two entries and needs nothing beside it but
# Windows' own DLLs and the host's libraries (the GCC run-time is linked in).
objdump=x86_64-w64-mingw32-objdump
exports=$($objdump -p "$build/bin/zv_geotools.dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  sed -n 's/^[[:space:]]*\[ *[0-9]*\] \(.*\)$/\1/p' | sort | tr '\n' ' ')
if [ "$exports" != "scary_vcl_bug_crashes_everything_on_unloading zv_bundle_interface_to_custom_pointer " ]; then
  echo "zv_geotools.dll exports: $exports"
  exit 1
fi
foreign=$($objdump -p "$build/bin/zv_geotools.dll" | sed -n 's/^.*DLL Name: //p' |
  grep -viE '^(kernel32|user32|gdi32|advapi32|msvcrt|zvk_[a-z0-9_]+)\.dll$' || true)
if [ -n "$foreign" ]; then
  echo "zv_geotools.dll needs: $foreign"
  exit 1
fi
echo "zv_geotools.dll: exactly its two entries, only system and host DLLs"

cd "$build"
for lang in ru_RU.UTF-8 en_US.UTF-8; do
  echo "== Windows tests under Wine, LANG=$lang"
  # A program that Wine once failed to start gets a second run.
  LANG=$lang LC_ALL= ctest --output-on-failure -j "${ZV_JOBS:-$(nproc)}" --timeout 600 \
    --repeat until-pass:2 -L 'unit|integration' -E "$linux_only"
done

# The tools end to end: the Linux end-to-end scripts run zvhost.exe under
# Wine on the sample data (with the Russian system code page the profile
# tool's tables need) and check its outputs with the Linux readers and the
# Linux build's pgrid, as they check the Linux zvhost; then the outputs of
# both zvhosts are compared.
if [ ! -x "$linux_build/bin/pgrid" ]; then
  echo "no Linux build in $linux_build: the end-to-end runs need its readers; skipped"
  exit 0
fi
echo "== Windows zvhost.exe end to end under Wine"
passed=0
failed=0
for script in "$root"/tests/e2e/tools/*_e2e.py; do
  name=$(basename "$script" .py)
  if LANG=ru_RU.UTF-8 LC_ALL= ZV_BIN_DIR="$linux_build/bin" ZV_LIB_DIR="$linux_build/lib" \
     ZV_SAMPLES="$root/samples" PYTHONDONTWRITEBYTECODE=1 \
     ZV_ZVHOST="$build/wine-run $build/bin/zvhost.exe" /usr/bin/python3 "$script"; then
    echo "e2e.windows.$name: passed"
    passed=$((passed + 1))
  else
    echo "e2e.windows.$name: FAILED"
    failed=$((failed + 1))
  fi
done
# The same sample runs through the Linux zvhost and through zvhost.exe leave
# the same files, byte for byte but for times.
if PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 "$root/tests/e2e/platform_parity.py" "$linux_build" "$build"; then
  echo "e2e.windows.platform_parity: passed"
  passed=$((passed + 1))
else
  echo "e2e.windows.platform_parity: FAILED"
  failed=$((failed + 1))
fi
echo "windows-e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

