"""What the end-to-end tests share: a scratch copy of sample data, zvhost runs,
input checksums, and the projection definitions the host library derives."""
import contextlib
import hashlib
import os
import shlex
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

from wine_command import through_cmd

BIN = Path(os.environ["ZV_BIN_DIR"])
LIB = Path(os.environ["ZV_LIB_DIR"])
SAMPLES = Path(os.environ["ZV_SAMPLES"])
# The zvhost command under test: ZV_ZVHOST when set (the Windows build's
# zvhost.exe through Wine), else the zvhost of BIN. The readers stay Linux's.
ZVHOST = shlex.split(os.environ.get("ZV_ZVHOST", "")) or [str(BIN / "zvhost")]
WINDOWS = "ZV_ZVHOST" in os.environ
# Windows takes the ANSI code page from the system (Wine: from the locale it
# starts in), not from ZV_ANSI_CODEPAGE.
SYSTEM_CODE_PAGE = WINDOWS


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def check(condition, message):
    if not condition:
        fail(message)


@contextlib.contextmanager
def scratch_copy(sample):
    """A copy of samples/<sample> in a fresh folder, removed afterwards, with
    TEMP pointing inside it so that leftovers of the workbook writer show."""
    root = Path(tempfile.mkdtemp(prefix="zv_e2e_"))
    try:
        data = root / "data"
        shutil.copytree(SAMPLES / sample, data)
        (root / "temp").mkdir()
        os.environ["TEMP"] = str(root / "temp")
        yield data
        check(not any((root / "temp").iterdir()), "temporary files left behind")
    finally:
        shutil.rmtree(root)


def zvhost(*args, lang="en"):
    """Runs zvhost as a user would; returns (exit status, standard output)."""
    env = dict(os.environ, USERNAME="e2e")
    args = ["--lang", lang, *args]
    if WINDOWS:
        command = through_cmd(ZVHOST[:-1], ZVHOST[-1], args, env["USERNAME"], env.get("TEMP", "/tmp"))
    else:
        command = [*ZVHOST, *args]
    done = subprocess.run(command, capture_output=True, env=env, text=True, timeout=600)
    return done.returncode, done.stdout + done.stderr


def checksums(folder, suffixes=None):
    """Every file below folder (or those with the given suffixes) by its digest."""
    return {p.relative_to(folder): hashlib.sha256(p.read_bytes()).hexdigest()
            for p in sorted(folder.rglob("*")) if p.is_file()
            and (suffixes is None or p.suffix.lower() in suffixes)}


def load_definition(shapefile):
    """The PROJ.4 definition zv_pj4_load_ex derives from a data file's .prj."""
    done = subprocess.run([str(BIN / "prj_definition"), str(shapefile)], capture_output=True, text=True)
    return done.stdout.strip()


def cs2cs(source, target, points):
    """PROJ's cs2cs on (x, y) points; returns (x, y) pairs in the target."""
    text = "".join(f"{x!r} {y!r}\n" for x, y in points)
    done = subprocess.run(["cs2cs", "-f", "%.12f", *source.split(), "+to", *target.split()],
                          input=text, capture_output=True, text=True, check=True)
    return [tuple(float(v) for v in line.split()[:2]) for line in done.stdout.splitlines()]
