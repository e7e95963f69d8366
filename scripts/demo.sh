#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the bundled
# samples: the profile tool over a copy of samples/profiles in a fresh folder,
# as a user would run it from the tool's dialog.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-"$root/build"}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$build" -DZV_BUILD_TESTS=OFF

work=$(mktemp -d "${TMPDIR:-/tmp}/zv_demo.XXXXXX")
cp -r "$root/samples/profiles" "$work/"
echo "Working folder (kept): $work/profiles"
echo
echo "\$ zvhost --lang en run prf_beg_end_app --set \"Path to processing files=$work/profiles/\""
"$build/bin/zvhost" --lang en run prf_beg_end_app --set "Path to processing files=$work/profiles/"
echo
echo "Files written:"
(cd "$work/profiles" && find out -type f | sort | sed 's/^/  /')
echo
book=$(find "$work/profiles/out" -name '*._src.xlsx' | sort | head -n 1)
echo "First rows of $(basename "$book"):"
/usr/bin/python3 - "$book" <<'PY'
import sys
import openpyxl

rows = list(openpyxl.load_workbook(sys.argv[1]).worksheets[0].iter_rows(values_only=True))[:4]
widths = [max(len(str(v or "")) for v in column) for column in zip(*rows)]
for row in rows:
    print("  " + " | ".join(str(v or "").ljust(w) for v, w in zip(row, widths)))
PY
