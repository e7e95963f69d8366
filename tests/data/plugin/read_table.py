"""Prints a dBASE table as pyshp reads it in the given encoding: the fields
on the first line as name:type:length:decimals, then one line per record;
every item is followed by a tab (a missing value is empty)."""
import sys

import shapefile

sys.stdout.reconfigure(encoding="utf-8")
path, encoding = sys.argv[1], sys.argv[2]
with open(path, "rb") as dbf:
    table = shapefile.Reader(dbf=dbf, encoding=encoding)
    print("".join("%s:%s:%d:%d\t" % tuple(field) for field in table.fields[1:]))
    for record in table.records():
        print("".join("%s\t" % ("" if value is None else value) for value in record))
