"""Prints what independent readers see in a workbook, one fact per line:
zipfile's entries, and openpyxl's creator, sheets and first sheet's rows,
then every shared string as the format defines it (read by ElementTree,
"_xHHHH_" decoded) with whether its element keeps white space.
With an entry name as second argument, writes that entry's bytes instead."""
import json
import re
import sys
import xml.etree.ElementTree as ElementTree
import zipfile

import openpyxl

MAIN = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"
SPACE = "{http://www.w3.org/XML/1998/namespace}space"


def shared_strings(archive):
    if "xl/sharedStrings.xml" not in archive.namelist():
        return []
    root = ElementTree.fromstring(archive.read("xl/sharedStrings.xml"))
    decode = lambda m: chr(int(m.group(1), 16))
    return [[re.sub("_x([0-9A-Fa-f]{4})_", decode, t.text or ""), t.get(SPACE) == "preserve"]
            for t in root.iter(MAIN + "t")]


path = sys.argv[1]
with zipfile.ZipFile(path) as archive:
    if len(sys.argv) > 2 and sys.argv[2]:
        sys.stdout.buffer.write(archive.read(sys.argv[2]))
        sys.exit(0)
    print("entries=" + ",".join(archive.namelist()))
    strings = shared_strings(archive)
book = openpyxl.load_workbook(path)
print("creator=" + str(book.properties.creator))
print("sheets=" + json.dumps(book.sheetnames, ensure_ascii=False))
sheet = book.worksheets[0]
print("max_row=%d" % sheet.max_row)
for number, row in enumerate(sheet.iter_rows(values_only=True), start=1):
    print("row%d=%s" % (number, json.dumps(list(row), ensure_ascii=False)))
for number, string in enumerate(strings):
    print("string%d=%s" % (number, json.dumps(string, ensure_ascii=False)))
