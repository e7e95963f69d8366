"""Prints a dBASE table as pyshp reads it in the given encoding: the fields
on the first line as name:type:length:decimals, then one line per record,
its values separated by tabs (a missing value as nothing)."""
import sys

import shapefile

sys.stdout.reconfigure(encoding="utf-8")
path, encoding = sys.argv[1], sys.argv[2]
with open(path, "rb") as dbf:
    table = shapefile.Reader(dbf=dbf, encoding=encoding)
    print("\t".join("%s:%s:%d:%d" % tuple(field) for field in table.fields[1:]))
    for record in table.records():
        print("\t".join("" if value is None else str(value) for value in record))
