"""Prints what independent readers see in a workbook, one fact per line:
zipfile's entries, and openpyxl's creator, sheets and first sheet's rows.
With an entry name as second argument, writes that entry's bytes instead."""
import json
import sys
import zipfile

import openpyxl

path = sys.argv[1]
with zipfile.ZipFile(path) as archive:
    if len(sys.argv) > 2 and sys.argv[2]:
        sys.stdout.buffer.write(archive.read(sys.argv[2]))
        sys.exit(0)
    print("entries=" + ",".join(archive.namelist()))
book = openpyxl.load_workbook(path)
print("creator=" + str(book.properties.creator))
print("sheets=" + json.dumps(book.sheetnames, ensure_ascii=False))
sheet = book.worksheets[0]
print("max_row=%d" % sheet.max_row)
for number, row in enumerate(sheet.iter_rows(values_only=True), start=1):
    print("row%d=%s" % (number, json.dumps(list(row), ensure_ascii=False)))
