"""Checks that the tool and its anchor did the same job, read back with pyshp
and numpy; prints what differs and exits 1 when anything does.

  compare_outputs.py profiles OURS_OUT_FOLDER ANCHOR_OUT_FOLDER
      the same tables (fields, source values as text, coordinates to 1e-7
      degree) and a workbook beside each
  compare_outputs.py graph OURS.pgrid ANCHOR.pgrid Y_NAME
      the same result values (no-data alike, else to 1e-5 relative)
"""
import os
import sys

import numpy
import shapefile

from graph_anchor import columns

COORDINATES = 8
TOLERANCE_DEGREES = 1e-7


def table(path):
    reader = shapefile.Reader(dbf=open(path, "rb"), encoding="utf-8")
    return reader.fields[1:], reader.iterRecords()


def same_record(ours, theirs):
    split = len(ours) - COORDINATES
    if [str(v) for v in ours[:split]] != [str(v) for v in theirs[:split]]:
        return False
    for a, b in zip(ours[split:], theirs[split:]):
        if (a.strip() == "") != (b.strip() == "") or a.strip() and abs(float(a) - float(b)) > TOLERANCE_DEGREES:
            return False
    return True


def compare_tables(ours_path, theirs_path):
    (our_fields, ours), (their_fields, theirs) = table(ours_path), table(theirs_path)
    if our_fields != their_fields:
        return "fields differ: %s / %s" % (our_fields, their_fields)
    count = 0
    for i, (a, b) in enumerate(zip(ours, theirs)):
        if not same_record(list(a), list(b)):
            return "record %d differs: %s / %s" % (i, list(a), list(b))
        count += 1
    return count


def compare_profiles(ours_folder, theirs_folder):
    names = sorted(os.listdir(ours_folder))
    tables = [n for n in names if n.endswith(".dbf")]
    expected = sorted(n for n in os.listdir(theirs_folder))
    missing = [n[:-4] + "._src.xlsx" for n in tables if n[:-4] + "._src.xlsx" not in names]
    if not tables or missing or [n for n in names if not n.endswith(".cpg")] != expected:
        return "output files differ: %s / %s" % (names[:6], expected[:6])
    records = 0
    for name in tables:
        outcome = compare_tables(os.path.join(ours_folder, name), os.path.join(theirs_folder, name))
        if isinstance(outcome, str):
            return "%s: %s" % (name, outcome)
        records += outcome
    print("profiles: %d tables, %d records alike" % (len(tables), records))


def result_values(path, name):
    with open(path, "rb") as f:
        objects, found = columns(f)
        dtype, offset = found[name]
        f.seek(offset)
        return numpy.fromfile(f, dtype=dtype, count=objects)


def compare_graph(ours_path, theirs_path, name):
    ours, theirs = result_values(ours_path, name), result_values(theirs_path, name)
    alike = numpy.isclose(ours, theirs, rtol=1e-5, atol=0, equal_nan=True)
    if not alike.all():
        k = int(numpy.argmin(alike))
        return "%d of %d values differ, first at object %d: %r / %r" % (
            int((~alike).sum()), len(ours), k, ours[k], theirs[k])
    print("graph: %d values alike, %d no-data" % (len(ours), int(numpy.isnan(ours).sum())))


if __name__ == "__main__":
    kind, args = sys.argv[1], sys.argv[2:]
    problem = compare_profiles(*args) if kind == "profiles" else compare_graph(*args)
    if problem:
        print(problem)
        sys.exit(1)
