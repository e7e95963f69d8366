"""The polygon axes tool through zvhost: the sample fields and a rotated
rectangle whose axes are known by hand, read back with pyshp."""
import math

import shapefile

from e2e_kit import check, checksums, scratch_copy, zvhost

OUTPUTS = ("_large_axes2d", "_small_axes2d", "_rect2d")


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


def check_rectangle(folder):
    shp = folder / "rotated.shp"
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


def main():
    with scratch_copy("polygons") as data:
        inputs = checksums(data)
        status, output = run_tool(data / "fields.shp")
        check(status == 0 and output.strip() == "information: Выполнено!", f"fields: {status} {output}")
        tables = outputs(data / "fields.shp")
        counts = [len(t) for t in tables]
        check(counts[0] == counts[1] == counts[2] >= len(shapefile.Reader(str(data / "fields.shp"))), f"{counts}")
        check(all(0 <= azimuth(s.points) < 180 for t in tables[:2] for s in t.shapes()), "an axis drawn westward")
        check(all(len(s.points) == 5 for s in tables[2].shapes()), "rectangles are closed rings of five vertices")
        check({k: v for k, v in checksums(data).items() if k.name.startswith("fields.")} == inputs, "inputs changed")
        check_rectangle(data)
        status, output = run_tool("")
        check(status == 1 and "information" not in output, f"empty path: {status} {output}")


main()
