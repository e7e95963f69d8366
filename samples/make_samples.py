#!/usr/bin/python3
"""Writes the sample data sets of samples/ from the data in this script.

    make_samples.py --pgrid PATH [--out DIR]   write the samples (default: beside this script)
    make_samples.py --pgrid PATH --check       write them into a temporary folder and
                                               compare them with the committed files

PATH is the pgrid command built from hostlibs/zvk_file_tos4, which turns the
CSV written here into the .pgrid data file. Shapefiles are written with pyshp.
Every output is fixed by this script alone (the .dbf header's date included),
so running it again reproduces the committed files byte for byte; --check
exits with 1 and names the files that differ, are missing or are left over.
"""

import argparse
import csv
import io
import math
import os
import subprocess
import sys
import tempfile

import shapefile

# The date written into every .dbf header (pyshp would write today's).
DBF_DATE = (2024, 3, 15)
# dBASE language-driver byte of code page 1251.
LDID_1251 = 0xC9

# Pulkovo 1942, Gauss-Kruger zone 7 (central meridian 39 E), as ESRI-style
# .prj files usually carry it: no datum shift of its own.
PRJ_GK7 = (
    'PROJCS["Pulkovo_1942_GK_Zone_7",GEOGCS["GCS_Pulkovo_1942",DATUM["D_Pulkovo_1942",'
    'SPHEROID["Krasovsky_1940",6378245.0,298.3]],PRIMEM["Greenwich",0.0],'
    'UNIT["Degree",0.0174532925199433]],PROJECTION["Gauss_Kruger"],'
    'PARAMETER["False_Easting",7500000.0],PARAMETER["False_Northing",0.0],'
    'PARAMETER["Central_Meridian",39.0],PARAMETER["Scale_Factor",1.0],'
    'PARAMETER["Latitude_Of_Origin",0.0],UNIT["Meter",1.0]]'
)
# WGS 84, UTM zone 37N.
PRJ_UTM37 = (
    'PROJCS["WGS_1984_UTM_Zone_37N",GEOGCS["GCS_WGS_1984",DATUM["D_WGS_1984",'
    'SPHEROID["WGS_1984",6378137.0,298.257223563]],PRIMEM["Greenwich",0.0],'
    'UNIT["Degree",0.0174532925199433]],PROJECTION["Transverse_Mercator"],'
    'PARAMETER["False_Easting",500000.0],PARAMETER["False_Northing",0.0],'
    'PARAMETER["Central_Meridian",39.0],PARAMETER["Scale_Factor",0.9996],'
    'PARAMETER["Latitude_Of_Origin",0.0],UNIT["Meter",1.0]]'
)

# A survey area south-east of Ryazan, about 54.6 N 39.7 E, in each system.
GK7_ORIGIN = (7545200.0, 6052800.0)
UTM37_ORIGIN = (545100.0, 6050500.0)


def at(origin, *offsets):
    """Vertices given as offsets in metres from an origin."""
    return [[origin[0] + dx, origin[1] + dy] for dx, dy in offsets]


# Seismic profiles of 2019 (Gauss-Kruger): one profile crosses a river in
# two parts, one was digitised as a single vertex.
PROFILES_2019 = [
    ("19-01", "Профиль вдоль р. Пра", 2019, "Партия №3",
     [at(GK7_ORIGIN, (0, 0), (2150.5, 1204.25), (4380, 2410.75))]),
    ("19-02", "Профиль «Северный»", 2019, "Партия №3",
     [at(GK7_ORIGIN, (-820, 3100), (410, 3640.5), (1730.25, 4011), (3105, 4260), (4490.5, 4302.75))]),
    ("19-03", "Профиль через пойму (два участка)", 2019, "Партия №5",
     [at(GK7_ORIGIN, (900, -1500), (1420, -420.5), (1980.75, 640)),
      at(GK7_ORIGIN, (2310, 1305.25), (2905.5, 2480))]),
    ("19-04", "Точка заложения (без трассы)", 2019, "Партия №5",
     [at(GK7_ORIGIN, (5200.25, -610))]),
    ("19-05", "Региональный профиль Рязань–Шилово", 2019, "Партия №3",
     [at(GK7_ORIGIN, (-3000, -2500), (-1800.5, -1740), (-420, -1105.25), (1010, -520),
         (2490.75, 130), (3960, 720.5), (5400, 1390), (6850.25, 2020))]),
]

# Profiles of 2022 in a subfolder (Gauss-Kruger).
PROFILES_2022 = [
    ("22-11", "Детализационный профиль 11", 2022, "Партия №7",
     [at(GK7_ORIGIN, (1200, 5200), (2010.5, 5540), (2890, 5800.25))]),
    ("22-12", "Детализационный профиль 12", 2022, "Партия №7",
     [at(GK7_ORIGIN, (1350, 4700), (2205, 5030.75), (3060.5, 5310))]),
]

# Profiles of 2021 in UTM zone 37N.
PROFILES_2021 = [
    (1, "Профиль 21-01", "Уточнение структуры"),
    (2, "Профиль 21-02", "Повтор профиля 19-01"),
    (3, "Профиль 21-03", "Сгущение сети"),
]
PROFILES_2021_LINES = [
    [at(UTM37_ORIGIN, (0, 0), (1510.5, 880), (3020, 1740.25))],
    [at(UTM37_ORIGIN, (-230, 150), (1920.25, 1360), (4150, 2560.5))],
    [at(UTM37_ORIGIN, (600, -900), (1105, 120.75), (1640.5, 1150), (2170, 2205))],
]


def rectangle(cx, cy, length, width, azimuth_deg):
    """A closed clockwise rectangle centred at (cx, cy), its long side at the
    azimuth (degrees clockwise from grid north)."""
    a = math.radians(azimuth_deg)
    ux, uy = math.sin(a), math.cos(a)  # along the long side
    vx, vy = uy, -ux                   # 90 degrees clockwise of it
    corners = []
    for s, t in ((-1, -1), (-1, 1), (1, 1), (1, -1)):
        corners.append([round(cx + s * ux * length / 2 + t * vx * width / 2, 2),
                        round(cy + s * uy * length / 2 + t * vy * width / 2, 2)])
    return ring(corners)


def ring(vertices, clockwise=True):
    """The vertices as a closed ring of the given orientation."""
    closed = vertices + [vertices[0]] if vertices[0] != vertices[-1] else list(vertices)
    if (signed_area(closed) < 0) != clockwise:
        closed.reverse()
    return closed


def signed_area(closed):
    """Shoelace area, positive counter-clockwise."""
    return sum(a[0] * b[1] - b[0] * a[1] for a, b in zip(closed, closed[1:])) / 2


# Fields (Gauss-Kruger): outer rings clockwise, holes counter-clockwise.
# Field 4 has a pond, field 5 is cut in two by a road, and the last area is a
# two-part plot whose larger part holds a copse.
O = GK7_ORIGIN
FIELDS = [
    ("Поле №1", "Пшеница", [ring(at(O, *[(0, 0), (0, 300), (800, 300), (800, 0)]))]),
    ("Поле №2", "Ячмень", [rectangle(O[0] + 1500, O[1] + 400, 600, 250, 60)]),
    ("Поле №3 (Г-образное)", "Рожь",
     [ring(at(O, *[(0, 700), (0, 1300), (250, 1300), (250, 950), (700, 950), (700, 700)]))]),
    ("Поле №4 с прудом", "Кукуруза",
     [ring(at(O, *[(1000, 800), (1050, 1450), (1700, 1500), (1750, 850)])),
      ring(at(O, *[(1250, 1050), (1300, 1200), (1450, 1180), (1420, 1030)]), clockwise=False)]),
    ("Поле №5 (за дорогой)", "Подсолнечник",
     [ring(at(O, *[(2000, 0), (2000, 400), (2380, 400), (2380, 0)])),
      ring(at(O, *[(2420, 0), (2420, 400), (2900, 380), (2870, 10)]))]),
    ("Участок у леса", "Залежь",
     [ring(at(O, *[(2100, 700), (2050, 1200), (2500, 1350), (2900, 1100), (2750, 650)])),
      ring(at(O, *[(2400, 900), (2550, 1000), (2600, 850)]), clockwise=False),
      ring(at(O, *[(3100, 700), (3100, 900), (3300, 900), (3300, 700)]))]),
]

# The license area among the profiles: a polygon the profile tool passes over.
SURVEY_AREA = [ring(at(GK7_ORIGIN, *[(-3500, -3000), (-3500, 6000), (7500, 6000), (7500, -3000)]))]

# Porosity to permeability by core data: the graph of the OAT tool.
PORO_PERM = [(0.05, 0.1), (0.08, 0.5), (0.11, 2.0), (0.14, 8.0), (0.17, 25.0),
             (0.20, 70.0), (0.23, 180.0), (0.26, 400.0), (0.30, 1000.0)]

# The grid of the data file: 20 x 15 cells of 50 m.
GRID_COLUMNS, GRID_ROWS, GRID_STEP = 20, 15, 50.0
PGRID_PROPERTIES = [
    # name, stored type, caption
    ("X", "f64", "X, м"),
    ("Y", "f64", "Y, м"),
    ("DEPTH", "f32", "Глубина кровли, м"),
    ("PORO", "f32", "Пористость, д.ед."),
    ("PERM", "f32", "Проницаемость, мД"),
    ("ZONE", "i16", "Зона"),
]


def grid_rows():
    """The data file's objects: a smooth porosity field that leaves the
    graph's range at two corners, a few cells without porosity, and no
    permeability yet."""
    rows = []
    for r in range(GRID_ROWS):
        for c in range(GRID_COLUMNS):
            x = GK7_ORIGIN[0] + c * GRID_STEP
            y = GK7_ORIGIN[1] + r * GRID_STEP
            depth = 1850.0 + 12.5 * math.sin(c / 4.0) + 8.0 * math.cos(r / 3.0) + 0.4 * c
            poro = 0.175 + 0.14 * math.sin((c - 9.5) / 7.0) * math.cos((r - 7) / 9.0) - 0.003 * (r - 7)
            missing = (r * GRID_COLUMNS + c) % 37 == 11
            rows.append([f"{x:.1f}", f"{y:.1f}", f"{depth:.2f}", "" if missing else f"{poro:.4f}", "",
                         str(1 + (c >= 10) + 2 * (r >= 8))])
    return rows


def fix_dbf_header(path, ldid=0):
    """Stamps the fixed date and the language-driver byte into a .dbf."""
    with open(path, "r+b") as f:
        f.seek(1)
        f.write(bytes([DBF_DATE[0] - 1900, DBF_DATE[1], DBF_DATE[2]]))
        f.seek(29)
        f.write(bytes([ldid]))


def write_text(path, text):
    with open(path, "w", encoding="ascii", newline="") as f:
        f.write(text)


def write_shapefile(path, shape_type, fields, records, prj=None, cpg=True, ldid=0):
    """One shapefile in code page 1251: fields are (name, type, size,
    decimals), records (attribute values, parts)."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with shapefile.Writer(path, shapeType=shape_type, encoding="cp1251") as w:
        for name, kind, size, decimals in fields:
            w.field(name, kind, size=size, decimal=decimals)
        for values, parts in records:
            if shape_type == shapefile.POLYGON:
                w.poly(parts)
            else:
                w.line(parts)
            w.record(*values)
    fix_dbf_header(path + ".dbf", ldid)
    if prj is not None:
        write_text(path + ".prj", prj)
    if cpg:
        write_text(path + ".cpg", "1251")


PROFILE_FIELDS = [("PROFILE", "C", 16, 0), ("NAME", "C", 60, 0), ("YEAR", "N", 4, 0), ("CREW", "C", 30, 0)]


def write_profiles(root):
    folder = os.path.join(root, "profiles")
    write_shapefile(os.path.join(folder, "seismic_2019"), shapefile.POLYLINE, PROFILE_FIELDS,
                    [(p[:4], p[4]) for p in PROFILES_2019], prj=PRJ_GK7)
    write_shapefile(os.path.join(folder, "2022", "seismic_2022"), shapefile.POLYLINE, PROFILE_FIELDS,
                    [(p[:4], p[4]) for p in PROFILES_2022], prj=PRJ_GK7)
    # Code page told by the language-driver byte alone.
    write_shapefile(os.path.join(folder, "seismic_2021_utm"), shapefile.POLYLINE,
                    [("ID", "N", 6, 0), ("NAME", "C", 30, 0), ("NOTE", "C", 60, 0)],
                    list(zip(PROFILES_2021, PROFILES_2021_LINES)), prj=PRJ_UTM37, cpg=False, ldid=LDID_1251)
    write_shapefile(os.path.join(folder, "license_area"), shapefile.POLYGON,
                    [("NAME", "C", 60, 0)], [(("Рязанский лицензионный участок",), SURVEY_AREA)], prj=PRJ_GK7)


def write_polygons(root):
    records = []
    for name, crop, rings in FIELDS:
        hectares = sum(-signed_area(r) for r in rings) / 10000.0
        records.append(((name, crop, round(hectares, 2)), rings))
    write_shapefile(os.path.join(root, "polygons", "fields"), shapefile.POLYGON,
                    [("NAME", "C", 40, 0), ("CROP", "C", 20, 0), ("AREA_HA", "N", 10, 2)], records,
                    prj=PRJ_GK7, ldid=LDID_1251)


def write_oat(root, pgrid):
    folder = os.path.join(root, "oat")
    write_shapefile(os.path.join(folder, "poro_perm"), shapefile.POLYLINE,
                    [("NAME", "C", 40, 0), ("X_PROP", "C", 10, 0), ("Y_PROP", "C", 10, 0)],
                    [(("Керн, пласт Ю1", "PORO", "PERM"), [[list(v) for v in PORO_PERM]])])
    text = io.StringIO()
    writer = csv.writer(text, lineterminator="\r\n")
    writer.writerow([p[0] for p in PGRID_PROPERTIES])
    writer.writerows(grid_rows())
    with tempfile.TemporaryDirectory() as work:
        csv_path = os.path.join(work, "grid.csv")
        with open(csv_path, "w", encoding="utf-8", newline="") as f:
            f.write(text.getvalue())
        command = [pgrid, "from-csv", csv_path, os.path.join(folder, "grid.pgrid")]
        for name, kind, caption in PGRID_PROPERTIES:
            command += ["--type", f"{name}={kind}", "--caption", f"{name}={caption}"]
        subprocess.run(command, check=True)


def write_all(root, pgrid):
    write_profiles(root)
    write_polygons(root)
    write_oat(root, pgrid)


def files_below(root):
    """Relative paths of the generated files below root (this script, the
    README and Python's caches are not generated)."""
    found = set()
    for folder, dirs, names in os.walk(root):
        dirs[:] = [d for d in dirs if d != "__pycache__"]
        for name in names:
            found.add(os.path.relpath(os.path.join(folder, name), root))
    return found - {"make_samples.py", "README.md"}


def check(committed, pgrid):
    """Regenerates into a temporary folder; names every difference."""
    with tempfile.TemporaryDirectory() as fresh:
        write_all(fresh, pgrid)
        made, present = files_below(fresh), files_below(committed)
        problems = [f"missing: {p}" for p in sorted(made - present)]
        problems += [f"not made by this script: {p}" for p in sorted(present - made)]
        for p in sorted(made & present):
            with open(os.path.join(fresh, p), "rb") as a, open(os.path.join(committed, p), "rb") as b:
                if a.read() != b.read():
                    problems.append(f"differs: {p}")
    for p in problems:
        print(p)
    print(f"{len(made)} files checked, {len(problems)} problems")
    return 1 if problems else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--pgrid", required=True, help="the pgrid command")
    parser.add_argument("--out", default=os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--check", action="store_true", help="compare a fresh run with --out")
    args = parser.parse_args()
    if args.check:
        return check(args.out, args.pgrid)
    write_all(args.out, args.pgrid)
    return 0


if __name__ == "__main__":
    sys.exit(main())
