"""The profile tool's job done with pyshp, pyproj and openpyxl, as a Python
programmer would write it: for every polyline shapefile below FOLDER, a new
table in FOLDER/out with all source fields plus the latitude and longitude
of each profile's first and last vertex in WGS84 and GSK-2011 as text, then a
workbook of that table beside it.

  profiles_anchor.py FOLDER

Each file's endpoints go through pyproj in one call per target system; the
transformers are made once per distinct .prj; records are streamed, and the
workbook is written in openpyxl's write-only mode.
"""
import os
import sys

import shapefile
from openpyxl import Workbook
from pyproj import Transformer

TARGETS = {
    "W84": "+proj=longlat +datum=WGS84 +ellps=WGS84 +lon_wrap=45 +no_defs",
    "GK11": "+proj=longlat +towgs84=0.013,-0.092,-0.03,-0.0017,0.0036,-0.0043,0.0074 +ellps=GSK2011 "
            "+lon_wrap=45 +no_defs",
}
# Column order of the appended fields: WGS84 before GSK-2011, begin before end.
COLUMNS = [(end, system) for end in "BE" for system in ("W84", "GK11")]
FIELD_LENGTH = 20

_transformers = {}


def shapefiles(folder):
    for root, dirs, files in os.walk(folder):
        dirs.sort()
        for name in sorted(files):
            if name.lower().endswith(".shp"):
                yield os.path.join(root, name)


def transformers(shp_path):
    with open(os.path.splitext(shp_path)[0] + ".prj") as f:
        wkt = f.read()
    if wkt not in _transformers:
        _transformers[wkt] = {name: Transformer.from_crs(wkt, target, always_xy=True)
                              for name, target in TARGETS.items()}
    return _transformers[wkt]


def endpoints(reader):
    """Indices of the one-part profiles and their first and last vertices."""
    indices, xs, ys = [], [], []
    for i, shape in enumerate(reader.iterShapes()):
        if shape.shapeType != shapefile.POLYLINE or len(shape.parts) != 1 or not shape.points:
            continue
        (x1, y1), (x2, y2) = shape.points[0][:2], shape.points[-1][:2]
        indices.append(i)
        xs += (x1, x2)
        ys += (y1, y2)
    return indices, xs, ys


def coordinate_texts(reader, shp_path):
    """Per record, the eight texts in column order (empty when skipped)."""
    indices, xs, ys = endpoints(reader)
    lonlat = {name: t.transform(xs, ys) for name, t in transformers(shp_path).items()}
    texts = [[""] * 8 for _ in range(len(reader))]
    for k, i in enumerate(indices):
        row = texts[i]
        for c, (end, system) in enumerate(COLUMNS):
            lon, lat = lonlat[system]
            j = 2 * k + (end == "E")
            row[2 * c], row[2 * c + 1] = "%.9f" % lat[j], "%.9f" % lon[j]
    return texts


def process(shp_path, out_folder):
    reader = shapefile.Reader(shp_path, encoding="utf-8")
    if reader.shapeType != shapefile.POLYLINE or len(reader) == 0:
        return
    stem = os.path.splitext(os.path.basename(shp_path))[0]
    texts = coordinate_texts(reader, shp_path)
    fields = reader.fields[1:]  # without the deletion flag
    names = [f[0] for f in fields] + ["%s_%s_%s" % (axis, end, system)
                                      for end, system in COLUMNS for axis in ("LAT", "LON")]
    book = Workbook(write_only=True)
    sheet = book.create_sheet("Attributes")
    sheet.append(names)
    with open(os.path.join(out_folder, stem + ".dbf"), "wb") as dbf:
        table = shapefile.Writer(dbf=dbf, encoding="utf-8")
        for field in fields:
            table.field(*field)
        for name in names[len(fields):]:
            table.field(name, "C", FIELD_LENGTH, 0)
        for record, coordinates in zip(reader.iterRecords(), texts):
            values = list(record) + coordinates
            table.record(*values)
            sheet.append(["" if v is None else str(v) for v in values])
        table.close()
    book.save(os.path.join(out_folder, stem + "._src.xlsx"))
    reader.close()


def main(folder):
    paths = list(shapefiles(folder))
    out_folder = os.path.join(folder, "out")
    os.makedirs(out_folder, exist_ok=True)
    for path in paths:
        process(path, out_folder)
    print("Done!")


if __name__ == "__main__":
    main(sys.argv[1])
