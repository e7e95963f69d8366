"""The profile tool through zvhost on the sample profiles and on a folder of
awkward cases (tests/data/plugin/make_profiles.py) under a UTF-8 ANSI code
page: the output tables read with pyshp, coordinates against cs2cs,
workbooks with openpyxl (every cell against the table) and unzip -t, inputs
unchanged, a second run, the files passed over, and the outcome and message of
every kind of run."""
import os
import subprocess
import sys
import zipfile
from pathlib import Path

import openpyxl
import shapefile

from e2e_kit import SYSTEM_CODE_PAGE, check, checksums, cs2cs, load_definition, scratch_copy, zvhost

GSK2011 = ("+proj=longlat +towgs84=0.013,-0.092,-0.03,-0.0017,0.0036,-0.0043,0.0074 "
           "+ellps=GSK2011 +lon_wrap=45 +no_defs")
WGS84 = "+proj=longlat +datum=WGS84 +ellps=WGS84 +lon_wrap=45 +no_defs"
ADDED = ["LAT_B_W84", "LON_B_W84", "LAT_B_GK11", "LON_B_GK11",
         "LAT_E_W84", "LON_E_W84", "LAT_E_GK11", "LON_E_GK11"]


def run_tool(folder):
    return zvhost("run", "prf_beg_end_app", "--set", f"Path to processing files={folder}/")


def expected_coordinates(source, target, shape):
    (bx, by), (ex, ey) = cs2cs(source, target, [shape.points[0], shape.points[-1]])
    return by, bx, ey, ex  # latitude, longitude of the begin, then of the end


def check_table(shp, out_folder):
    """The output table against the source and cs2cs; returns it as pyshp reads it."""
    source = shapefile.Reader(str(shp), encoding="cp1251")
    out = shapefile.Reader(dbf=open(out_folder / (shp.stem + ".dbf"), "rb"), encoding=out_encoding(out_folder, shp))
    names = [f[0] for f in out.fields[1:]]
    check(names[-8:] == ADDED, f"{shp.name}: appended fields {names[-8:]}")
    check(len(names) == len(source.fields) - 1 + 8, f"{shp.name}: field count")
    definition = load_definition(shp)
    for shape, source_record, record in zip(source.shapes(), source.records(), out.records()):
        check(list(record)[:-8] == list(source_record), f"{shp.name}: copied values {list(record)[:-8]}")
        values = list(record)[-8:]
        if len(shape.parts) != 1 or not shape.points:
            check(all(v.strip() == "" for v in values), f"{shp.name}: coordinates for a multi-part line")
            continue
        want = expected_coordinates(definition, WGS84, shape) + expected_coordinates(definition, GSK2011, shape)
        got = [float(values[i]) for i in (0, 1, 4, 5, 2, 3, 6, 7)]
        check(all(abs(a - b) < 1e-7 for a, b in zip(got, want)), f"{shp.name}: {got} against cs2cs {want}")
    return out


def out_encoding(out_folder, shp):
    """The output table's code page, as its .cpg names it."""
    name = (out_folder / (shp.stem + ".cpg")).read_text().strip()
    return "cp" + name if name.isdigit() else name


def check_workbook(book, table):
    """The workbook holds the table's field names, then every record's values
    as their text (an empty value an empty cell)."""
    check(subprocess.run(["unzip", "-tq", str(book)], capture_output=True).returncode == 0, f"{book}: unzip -t")
    sheet = openpyxl.load_workbook(book).worksheets[0]  # the sheet records no size: read it whole
    read = list(sheet.iter_rows(values_only=True))
    check(list(read[0]) == [f[0] for f in table.fields[1:]] and len(read) == len(table) + 1, f"{book.name}: shape")
    for row, record in zip(read[1:], table.records()):
        want = [None if v in ("", None) else v if isinstance(v, str) else float(v) for v in record]
        got = [c if c is None or isinstance(w, str) else float(c) for c, w in zip(row, want)]
        check(got == want, f"{book.name}: {got} against {want}")


def check_awkward_cases(root):
    """Passed over: a file without .prj, a point file, and one in "out" (its
    output table would be its own); a null record and a two-part line get no
    endpoints; a Cyrillic field name is cut after 10 UTF-8 bytes on a
    character; a set in capitals is found."""
    data = root / "made"
    maker = Path(__file__).resolve().parents[2] / "data" / "plugin" / "make_profiles.py"
    subprocess.run([sys.executable, str(maker), str(data)], check=True)
    os.environ["ZV_ANSI_CODEPAGE"] = "65001"
    inputs = checksums(data)
    status, output = run_tool(data)
    check(status == 0 and output.strip() == "information: Done!", f"made: {status} {output}")
    after = checksums(data)
    check(all(after[k] == v for k, v in inputs.items()), "an input changed")
    out = data / "out"
    added = sorted(str(k) for k in after if k not in inputs)
    check(added == [f"out/{stem}{ext}" for stem in ("CAPS", "lines", "other") for ext in ("._src.xlsx", ".cpg", ".dbf")],
          f"outputs {added}")
    for shp in (data / "lines.shp", data / "sub" / "deep" / "other.shp", data / "CAPS.SHP"):
        check_workbook(out / (shp.stem + "._src.xlsx"), check_table(shp, out))
    sheet = zipfile.ZipFile(out / "lines._src.xlsx").read("xl/worksheets/sheet1.xml")
    check(b"<f>B2*2</f>" in sheet, "a value beginning with = is a formula")
    if not SYSTEM_CODE_PAGE:  # field names cut under UTF-8
        names = [f[0] for f in shapefile.Reader(dbf=open(out / "lines.dbf", "rb"), encoding="utf-8").fields[1:]]
        check(names[:3] == ["NAME", "NГЛУБ", "NOTE"], f"names {names}")

    (root / "empty" / "sub.txt").mkdir(parents=True)
    for folder, want_status, want_output in [(data / "missing", 1, "error: Errors!"),
                                             (root / "empty", 1, "error: Errors!")]:
        status, output = run_tool(folder)
        check(status == want_status and want_output in output, f"{folder}: {status} {output}")
    status, output = zvhost("run", "prf_beg_end_app", "--set", "Path to processing files=")
    check(status == 1 and "information" not in output and "error" not in output, f"empty path: {output}")
    for entry in out.iterdir():
        entry.unlink()
    out.rmdir()
    out.write_text("a file, not a folder")
    status, output = run_tool(data)
    check(status == 0 and output.strip() == "information: Done!", f"out a file: {status} {output}")
    check(out.read_text() == "a file, not a folder", "the file named out was changed")
    check(not (root / "empty" / "out").exists(), "an output folder without shapefiles")


def main():
    # A Russian system's code page: the source values fit the output fields as
    # they fit the source's (under UTF-8 a Cyrillic letter takes two bytes).
    os.environ["ZV_ANSI_CODEPAGE"] = "1251"
    with scratch_copy("profiles") as data:
        inputs = checksums(data)
        for attempt in (1, 2):  # a second run over the same folder writes the same outputs again
            status, output = run_tool(data)
            check(status == 0 and output.strip() == "information: Done!", f"run {attempt}: {status} {output}")
            out = data / "out"
            polylines = [p for p in data.rglob("*.shp") if shapefile.Reader(str(p)).shapeType == 3]
            for shp in polylines:
                check_workbook(out / (shp.stem + "._src.xlsx"), check_table(shp, out))
                check((out / (shp.stem + ".dbf")).read_bytes()[29] == 0xC9, f"{shp.name}: driver byte of 1251")
            check(not (out / "license_area.dbf").exists(), "a polygon file was processed")
        check({k: v for k, v in checksums(data).items() if k.parts[0] != "out"} == inputs, "inputs changed")
        check_awkward_cases(data.parent)


main()
