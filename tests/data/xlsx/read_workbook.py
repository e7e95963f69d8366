"""Prints what independent readers see in a workbook, one fact per line:
zipfile's entries, testzip() and methods, zlib's CRC check, `unzip -t`
when installed, and openpyxl's creator, sheets and first sheet's rows.
With an entry name as second argument, writes that entry's bytes instead."""
import json
import shutil
import subprocess
import sys
import zipfile
import zlib

import openpyxl

path = sys.argv[1]
with zipfile.ZipFile(path) as archive:
    if len(sys.argv) > 2:
        sys.stdout.buffer.write(archive.read(sys.argv[2]))
        sys.exit(0)
    print("entries=" + ",".join(archive.namelist()))
    print("testzip=" + str(archive.testzip()))
    crc_ok = all(zlib.crc32(archive.read(i)) == i.CRC for i in archive.infolist())
    print("crc=" + ("ok" if crc_ok else "bad"))
    print("methods=" + ",".join(str(i.compress_type) for i in archive.infolist()))
if shutil.which("unzip"):
    tested = subprocess.run(["unzip", "-tqq", path], capture_output=True)
    print("unzip=" + ("ok" if tested.returncode == 0 else "failed"))
book = openpyxl.load_workbook(path)
print("creator=" + str(book.properties.creator))
print("sheets=" + json.dumps(book.sheetnames, ensure_ascii=False))
sheet = book.worksheets[0]
print("max_row=%d" % sheet.max_row)
print("max_column=%d" % sheet.max_column)
for number, row in enumerate(sheet.iter_rows(values_only=True), start=1):
    print("row%d=%s" % (number, json.dumps(list(row), ensure_ascii=False)))
