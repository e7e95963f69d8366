"""The three tools give the same results on Linux and on Windows: each runs
once through the Linux zvhost and once through zvhost.exe under Wine, on two
fresh copies of its sample, and every file the two runs leave must be the
same, times aside: tables byte for byte but for the .dbf's date of last
update, workbooks part by part with the times of docProps/core.xml masked
(their ZIP entries alike but for their times), .pgrid byte for byte.

    platform_parity.py LINUX_BUILD WINDOWS_BUILD

Both runs see the same USERNAME, a TEMP folder inside their scratch folder
and the Russian system code page (1251: ZV_ANSI_CODEPAGE on Linux, the
locale under Wine). Wine sets TEMP, TMP and USERNAME from its own registry,
so zvhost.exe is started through cmd, which sets them first."""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent / "tools"))
from wine_command import through_cmd, wine_path  # noqa: E402

SAMPLES = Path(__file__).resolve().parents[2] / "samples"
LINUX, WINDOWS = (Path(a).resolve() for a in sys.argv[1:3])
USER = "parity"
ENV = dict(os.environ, LANG="ru_RU.UTF-8", ZV_ANSI_CODEPAGE="1251", USERNAME=USER)
ENV.pop("LC_ALL", None)
ENV.pop("LC_CTYPE", None)


def tool_arguments(data, sep):
    """Each tool's zvhost arguments on the copy in data (paths joined with sep)."""
    path = lambda *names: sep.join([data, *names])  # noqa: E731
    return {
        "profiles": ["prf_beg_end_app", "--set", "Path to processing files=" + path("")],
        "polygons": ["pgn_oriented_axes2d_app", "--set", "File=" + path("fields.shp")],
        "oat": ["tos_graph_x2y_app", "--set", "#1=" + path("poro_perm.shp"), "--set", "#2=" + path("grid.pgrid"),
                "--set", "#3=Пористость, д.ед.", "--set", "#4=Проницаемость, мД"],
    }


def linux_run(root, sample):
    temp = str(root / "temp")
    env = dict(ENV, TEMP=temp, TMP=temp, TMPDIR=temp)
    args = tool_arguments(str(root / "data"), "/")[sample]
    return subprocess.run([str(LINUX / "bin" / "zvhost"), "--lang", "en", "run", *args], env=env,
                          capture_output=True, text=True, timeout=600)


def windows_run(root, sample):
    args = tool_arguments(wine_path(root / "data"), "\\")[sample]
    command = through_cmd([str(WINDOWS / "wine-run")], WINDOWS / "bin" / "zvhost.exe",
                          ["--lang", "en", "run", *args], USER, root / "temp")
    return subprocess.run(command, env=ENV, capture_output=True, text=True, timeout=600)


def contents(path):
    """What is compared of a file: its bytes, or a workbook's parts in order."""
    data = path.read_bytes()
    suffix = path.suffix.lower()
    if suffix == ".dbf":
        return data[:1] + b"\0\0\0" + data[4:]  # the date of last update
    if suffix == ".xlsx":
        with zipfile.ZipFile(path) as book:
            return [(entry.filename, entry_header(entry), masked_part(entry.filename, book.read(entry)))
                    for entry in book.infolist()]
    return data


def entry_header(entry):
    """What a ZIP entry records about itself, but for its times and the sums of its bytes."""
    extra, at = [], 0
    while at + 4 <= len(entry.extra):  # extra fields, the times of the timestamp fields masked
        kind, size = struct.unpack_from("<HH", entry.extra, at)
        extra.append((kind, "(time)" if kind in (0x5455, 0x000A) else entry.extra[at + 4:at + 4 + size]))
        at += 4 + size
    return (entry.compress_type, entry.flag_bits, entry.create_system, entry.create_version, entry.extract_version,
            entry.internal_attr, entry.external_attr, extra, entry.extra[at:], entry.comment)


def masked_part(name, data):
    if name == "docProps/core.xml":
        return re.sub(rb"(<dcterms:(?:created|modified)\b[^>]*>)[^<]*", rb"\1(time)", data)
    return data


def first_difference(a, b):
    at = next((i for i, (x, y) in enumerate(zip(a, b)) if x != y), min(len(a), len(b)))
    return f"{len(a)} and {len(b)} bytes, first difference at {at}: {a[at:at + 24]!r} / {b[at:at + 24]!r}"


def differences(linux_root, windows_root):
    files = {root: {p.relative_to(root).as_posix(): p for p in root.rglob("*") if p.is_file()}
             for root in (linux_root, windows_root)}
    linux, windows = files[linux_root], files[windows_root]
    found = [f"only on Linux: {name}" for name in sorted(linux.keys() - windows.keys())]
    found += [f"only on Windows: {name}" for name in sorted(windows.keys() - linux.keys())]
    for name in sorted(linux.keys() & windows.keys()):
        a, b = contents(linux[name]), contents(windows[name])
        if a == b:
            continue
        if isinstance(a, bytes):
            found.append(f"{name}: {first_difference(a, b)}")
            continue
        if [part[0] for part in a] != [part[0] for part in b]:
            found.append(f"{name}: parts {[part[0] for part in a]} / {[part[0] for part in b]}")
        for (part, header, x), (_, other_header, y) in zip(a, b):
            if header != other_header:
                found.append(f"{name} {part}: entry {header} / {other_header}")
            if x != y:
                found.append(f"{name} {part}: {first_difference(x, y)}")
    return found


def written(data, source):
    """The files of data that its source folder lacks or holds otherwise."""
    same = lambda p: (source / p).is_file() and (source / p).read_bytes() == (data / p).read_bytes()  # noqa: E731
    return [p for p in (q.relative_to(data) for q in data.rglob("*") if q.is_file()) if not same(p)]


def compare(sample):
    roots = [Path(tempfile.mkdtemp(prefix=f"zv_parity_{platform}_")) for platform in ("linux", "windows")]
    try:
        found, messages = [], []
        for root, run in zip(roots, (linux_run, windows_run)):
            shutil.copytree(SAMPLES / sample, root / "data")
            (root / "temp").mkdir()
            done = run(root, sample)
            count = len(written(root / "data", SAMPLES / sample))
            if done.returncode != 0 or count == 0:
                found.append(f"{run.__name__}: status {done.returncode}, {count} files written: "
                             f"{done.stdout}{done.stderr}")
            messages.append(done.stdout)
        if messages[0] != messages[1]:
            found.append(f"messages: {messages[0]!r} / {messages[1]!r}")
        return found + differences(*roots)
    finally:
        for root in roots:
            shutil.rmtree(root)


failed = 0
for sample in ("profiles", "polygons", "oat"):
    found = compare(sample)
    print(f"parity.{sample}: {'FAILED' if found else 'passed'}")
    for line in found:
        print("  " + line)
    failed += bool(found)
sys.exit(1 if failed else 0)
