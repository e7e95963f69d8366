"""Reads a workbook with independent readers and prints what they saw.

zipfile checks every entry's CRC, zlib checks it again on the inflated bytes,
`unzip -t` tests the archive when unzip is installed, openpyxl reads the first
worksheet. One fact per line, so the C++ test can look for
exact lines.
"""
import json
import shutil
import subprocess
import sys
import zipfile
import zlib

import openpyxl

path = sys.argv[1]
with zipfile.ZipFile(path) as archive:
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
