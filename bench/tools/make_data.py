"""Writes the data of zv_bench_tools with pyshp, the same bytes on every run.

  make_data.py profiles FOLDER FILES PROFILES FIELDS
      FILES polyline shapefiles of PROFILES profiles each, in UTM zone 37N,
      with UTF-8 tables of FIELDS fields (at most 20); more than one file are
      spread over ten subfolders
  make_data.py graph FOLDER OBJECTS SEGMENTS
      graph.shp: one polyline of SEGMENTS segments with increasing x;
      graph.npy: its vertices as a 2 x (SEGMENTS + 1) array; grid.csv:
      OBJECTS objects with an id, a porosity (the graph's x, one in a hundred
      empty, a few outside the graph) and an empty permeability (its y)
"""
import math
import os
import pathlib
import random
import sys

import numpy
import shapefile

# The UTM zone 37N system as the sample profiles carry it.
UTM37 = (pathlib.Path(__file__).resolve().parents[2] / "samples" / "profiles" / "seismic_2021_utm.prj").read_text()

# The fields of a seismic survey's profile table, in order; a table of k
# fields takes the first k.
FIELDS = [("NAME", "C", 24, 0), ("ID", "N", 9, 0), ("SURVEY", "C", 30, 0), ("YEAR", "N", 4, 0),
          ("LENGTH_M", "N", 12, 2), ("CREW", "C", 16, 0), ("METHOD", "C", 10, 0), ("STATUS", "C", 12, 0),
          ("FOLD", "N", 5, 0), ("SRC_STEP", "N", 8, 2), ("RCV_STEP", "N", 8, 2), ("OFFSET_M", "N", 10, 1),
          ("DEPTH_M", "N", 10, 3), ("VELOCITY", "N", 10, 1), ("QUALITY", "C", 8, 0), ("REGION", "C", 40, 0),
          ("AREA", "C", 30, 0), ("CONTRACT", "C", 20, 0), ("NOTE", "C", 60, 0), ("CHECKED", "C", 1, 0)]
WORDS = ["Профиль", "Северный", "участок", "Восток", "2D", "повтор", "Line", "Запад", "ПМ-3", "отработан"]


def text(rng, length):
    if length < 4:
        return rng.choice("YN")
    words = " ".join(rng.choice(WORDS) for _ in range(rng.randint(1, 4)))
    return words[:length // 2]  # Cyrillic takes two bytes a letter in UTF-8


def value(rng, field):
    _, kind, length, decimals = field
    if kind == "C":
        return text(rng, length)
    limit = 10 ** min(length - decimals - 2, 6)
    number = rng.uniform(0, limit)
    return round(number, decimals) if decimals else int(number)


def profile(rng):
    x, y = rng.uniform(400000, 600000), rng.uniform(6100000, 6300000)
    heading = rng.uniform(0, 6.283)
    points = [(x, y)]
    for _ in range(rng.randint(1, 11)):
        heading += rng.uniform(-0.2, 0.2)
        step = rng.uniform(50, 400)
        x, y = x + step * math.cos(heading), y + step * math.sin(heading)
        points.append((round(x, 2), round(y, 2)))
    return [points]


def write_profiles(base, rng, profiles, fields):
    with shapefile.Writer(base, shapeType=shapefile.POLYLINE, encoding="utf-8") as w:
        for field in fields:
            w.field(*field)
        for _ in range(profiles):
            w.line(profile(rng))
            w.record(*[value(rng, f) for f in fields])
    for extension, content in ((".prj", UTM37), (".cpg", "UTF-8")):
        with open(base + extension, "w") as f:
            f.write(content)


def make_profiles(folder, files, profiles, field_count):
    rng = random.Random(2011)
    fields = FIELDS[:field_count]
    for i in range(files):
        sub = os.path.join(folder, "area_%02d" % (i % 10)) if files > 1 else folder
        os.makedirs(sub, exist_ok=True)
        write_profiles(os.path.join(sub, "p%05d" % i), rng, profiles, fields)


def make_graph(folder, objects, segments):
    rng = random.Random(84)
    steps = [rng.uniform(0.5, 1.5) for _ in range(segments)]
    xs = [0.02]
    for s in steps:
        xs.append(xs[-1] + s * 0.33 / segments)
    ys = [10 ** (12 * x - 1 + rng.uniform(-0.05, 0.05)) for x in xs]
    with shapefile.Writer(os.path.join(folder, "graph"), shapeType=shapefile.POLYLINE) as w:
        w.field("ID", "N", 5, 0)
        w.line([list(zip(xs, ys))])
        w.record(1)
    numpy.save(os.path.join(folder, "graph.npy"), numpy.array([xs, ys]))
    with open(os.path.join(folder, "grid.csv"), "w", newline="") as f:
        f.write("id,poro,perm\n")
        lines = []
        for k in range(objects):
            poro = "" if rng.random() < 0.01 else "%.6f" % rng.uniform(0.01, 0.36)
            lines.append("%d,%s,\n" % (k + 1, poro))
        f.write("".join(lines))


if __name__ == "__main__":
    kind, folder, numbers = sys.argv[1], sys.argv[2], [int(a) for a in sys.argv[3:]]
    os.makedirs(folder, exist_ok=True)
    if kind == "profiles":
        make_profiles(folder, *numbers)
    else:
        make_graph(folder, *numbers)
