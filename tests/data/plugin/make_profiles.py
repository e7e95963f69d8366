"""Writes the profile tool's test folder with pyshp, every table in code page
1251 with its .cpg:
  lines      polylines in UTM zone 37N: a profile, a two-part object, a
             one-vertex object and a null record, markup and a formula in
             the notes; a Cyrillic field name of 15 UTF-8 bytes
  sub/deep/other  a geographic polyline two folders down
  noprj      a polyline without .prj, listed right after lines
  points     a point shapefile
  CAPS       a polyline set in capitals
  out/inside a polyline in the output folder: its output table would be
             its own table
"""
import os
import pathlib
import sys

import shapefile

# The UTM zone 37N system as the sample profiles carry it.
UTM37 = (pathlib.Path(__file__).resolve().parents[3] / "samples" / "profiles" / "seismic_2021_utm.prj").read_text()
WGS84 = ('GEOGCS["GCS_WGS_1984",DATUM["D_WGS_1984",SPHEROID["WGS_1984",6378137.0,298.257223563]],'
         'PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]]')
ID = [("ID", "N", 5, 0)]


def write(base, shape_type, fields, shapes, records, prj=None):
    os.makedirs(os.path.dirname(base), exist_ok=True)
    with shapefile.Writer(base, shapeType=shape_type, encoding="cp1251") as w:
        for field in fields:
            w.field(*field)
        for shape, record in zip(shapes, records):
            if shape is None:
                w.null()
            elif shape_type == shapefile.POINT:
                w.point(*shape)
            else:
                w.line(shape)
            w.record(*record)
    with open(base + ".cpg", "w") as cpg:
        cpg.write("1251")
    if prj:
        with open(base + ".prj", "w") as f:
            f.write(prj)


root = sys.argv[1]
profile = [[(412000, 6170000), (413500, 6171200), (415000, 6170100)]]
write(os.path.join(root, "lines"), shapefile.POLYLINE,
      [("NAME", "C", 20, 0), ("NГЛУБИНА", "N", 10, 2), ("NOTE", "C", 30, 0)],
      [profile, [[(412000, 6170000), (412500, 6170500)], [(413000, 6171000), (413500, 6171500)]],
       [[(416000, 6172000)]], None],
      [("Профиль 1", 12.5, "A & B < C"), ("Профиль 2", 0.75, ""), ("Точка", 3.25, "один"),
       ("Пусто", 1, "=B2*2")],
      UTM37)
write(os.path.join(root, "sub", "deep", "other"), shapefile.POLYLINE, ID,
      [[[(37.6, 55.75), (37.9, 55.8), (38.5, 56.3)]]], [(7,)], WGS84)
write(os.path.join(root, "noprj"), shapefile.POLYLINE, ID, [profile], [(1,)])
write(os.path.join(root, "points"), shapefile.POINT, ID, [(412000, 6170000)], [(1,)], UTM37)
write(os.path.join(root, "out", "inside"), shapefile.POLYLINE, ID, [profile], [(2,)], UTM37)
write(os.path.join(root, "caps"), shapefile.POLYLINE, ID, [profile], [(3,)], UTM37)
for ext in ("shp", "shx", "dbf", "cpg", "prj"):
    os.rename(os.path.join(root, "caps." + ext), os.path.join(root, "CAPS." + ext.upper()))
