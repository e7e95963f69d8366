"""The polygon axes tool through zvhost: the sample fields and a rotated
rectangle whose axes are known by hand, read back with pyshp: which record
and part each output object comes from, the attributes, .prj, .cpg and
language-driver byte carried over, the input unchanged and nothing else
left behind; and the outcome of the runs that fail."""
import math
import shutil
from pathlib import Path

import shapefile

from e2e_kit import check, checksums, scratch_copy, zvhost

OUTPUTS = ("_large_axes2d", "_small_axes2d", "_rect2d")
PARTS = (".cpg", ".dbf", ".prj", ".shp", ".shx")


def files_of(folder, stems):
    """Whether the folder holds exactly the shapefiles of these stems."""
    return sorted(p.name for p in folder.iterdir()) == sorted(stem + ext for stem in stems for ext in PARTS)


def run_tool(path):
    return zvhost("run", "pgn_oriented_axes2d_app", "--set", f"File={path}")


def outputs(shp):
    return [shapefile.Reader(str(shp.with_name(shp.stem + suffix + ".shp"))) for suffix in OUTPUTS]


def azimuth(points):
    (x1, y1), (x2, y2) = points[0], points[-1]
    return math.degrees(math.atan2(x2 - x1, y2 - y1)) % 360


def write_rotated_rectangle(path, length, width, turn_degrees):
    """One polygon: a length x width rectangle turned counter-clockwise."""
    c, s = math.cos(math.radians(turn_degrees)), math.sin(math.radians(turn_degrees))
    corners = [(0, 0), (0, width), (length, width), (length, 0), (0, 0)]  # clockwise
    with shapefile.Writer(str(path), shapeType=shapefile.POLYGON) as w:
        w.field("NAME", "C", 20)
        w.poly([[(500000 + x * c - y * s, 6000000 + x * s + y * c) for x, y in corners]])
        w.record("участок")


def check_records(folder):
    source = shapefile.Reader(str(folder / "fields.shp"), encoding="cp1251")
    expected = []
    for i, (shape, record) in enumerate(zip(source.shapes(), source.records())):
        geo = shape.__geo_interface__
        parts = len(geo["coordinates"]) if geo["type"] == "MultiPolygon" else 1
        expected += [[i, part, *record] for part in range(parts)]
    for suffix in OUTPUTS:
        out = folder / ("fields" + suffix)
        got = [list(r)[:len(source.fields) + 1] for r in shapefile.Reader(str(out), encoding="cp1251").records()]
        check(got == expected, f"{suffix}: records {got}")
        for ext, read in ((".prj", Path.read_text), (".cpg", Path.read_text), (".dbf", lambda p: p.read_bytes()[29])):
            check(read(out.with_suffix(ext)) == read(folder / ("fields" + ext)), f"{suffix}: {ext}")


def check_rectangle(folder):
    shp = folder / "повёрнутый.shp"  # a Cyrillic file name
    write_rotated_rectangle(shp, 200.0, 50.0, 30.0)
    status, output = run_tool(shp)
    check(status == 0 and "Выполнено!" in output, f"rectangle: {status} {output}")
    long_axes, short_axes, rects = outputs(shp)
    long_axis, short_axis = long_axes.shape(0).points, short_axes.shape(0).points
    check(abs(math.dist(*long_axis) - 200) < 1e-6 and abs(math.dist(*short_axis) - 50) < 1e-6, "axis lengths")
    check(abs(azimuth(long_axis) - 60) < 1e-6 and abs(azimuth(short_axis) - 150) < 1e-6, "axis azimuths")
    record = rects.record(0).as_dict()
    check(abs(record["LENGTH"] - 200) < 1e-6 and abs(record["WIDTH"] - 50) < 1e-6, f"rectangle sides {record}")
    check(abs(record["AREA"] - 10000) < 1e-4 and abs(record["AZIMUTH"] - 60) < 1e-6, f"rectangle {record}")


def check_failures(data):
    """Whatever fails, the only message is the one information box (none for
    an empty path); a failed save ends the saving, the outputs before it kept."""
    status, output = run_tool("")
    check(status == 1 and "information" not in output, f"empty path: {status} {output}")
    blocked = data.parent / "blocked"
    blocked.mkdir()
    status, output = run_tool(blocked / "absent.shp")
    check(status == 1 and "information: Выполнено!" in output and not any(blocked.iterdir()), f"absent: {output}")
    for ext in PARTS:
        shutil.copy(data / ("fields" + ext), blocked)
    (blocked / "fields_small_axes2d.shp").mkdir()
    status, output = run_tool(blocked / "fields.shp")
    check(status == 1 and "information: Выполнено!" in output, f"blocked: {status} {output}")
    (blocked / "fields_small_axes2d.shp").rmdir()
    check(files_of(blocked, ("fields", "fields_large_axes2d")), "outputs after a failed save")


def main():
    with scratch_copy("polygons") as data:
        inputs = checksums(data)
        status, output = run_tool(data / "fields.shp")
        check(status == 0 and output.strip() == "information: Выполнено!", f"fields: {status} {output}")
        check_records(data)
        tables = outputs(data / "fields.shp")
        check(all(0 <= azimuth(s.points) < 180 for t in tables[:2] for s in t.shapes()), "an axis drawn westward")
        check(all(len(s.points) == 5 for s in tables[2].shapes()), "rectangles are closed rings of five vertices")
        check({k: v for k, v in checksums(data).items() if k.name.startswith("fields.")} == inputs, "inputs changed")
        check(files_of(data, ("fields",) + tuple("fields" + suffix for suffix in OUTPUTS)), "files left behind")
        check_failures(data)
        check_rectangle(data)


main()
