"""The OAT graph tool through zvhost on the sample grid and graph: the result
property read with `pgrid to-csv` against the graph evaluated here, and the
parameter warning; on a graph of null records and parts, graphs that give
no segments and a data file without objects."""
import csv
import io
import subprocess

import shapefile

from e2e_kit import BIN, SAMPLES, check, checksums, scratch_copy, zvhost


def run_tool(graph, data, x, y, lang="en"):
    """The inputs by position, whatever the language: graph, data, X, Y (none
    when empty: a drop-down with nothing to choose)."""
    settings = [f"#{n}={value}" for n, value in enumerate((graph, data, x, y), 1) if value]
    return zvhost("run", "tos_graph_x2y_app", *[w for s in settings for w in ("--set", s)], lang=lang)


def write_graph(path, records):
    """A polyline file; a record is a list of parts, or None for a null shape."""
    with shapefile.Writer(str(path), shapeType=shapefile.POLYLINE) as w:
        w.field("NAME", "C", 10)
        for parts in records:
            w.null() if parts is None else w.line(parts)
            w.record("g")


def segments(path):
    """The graph's segments in file order; no segment joins two parts."""
    result = []
    for shape in shapefile.Reader(str(path)).shapes():
        bounds = list(shape.parts) + [len(shape.points)]
        for start, end in zip(bounds, bounds[1:]):
            result += list(zip(shape.points[start:end - 1], shape.points[start + 1:end]))
    return result


def evaluate(graph, x):
    for (x1, y1), (x2, y2) in graph:
        if min(x1, x2) <= x <= max(x1, x2) and x1 != x2:
            return y1 + (y2 - y1) * (x - x1) / (x2 - x1)
    return None


def table(pgrid):
    text = subprocess.run([str(BIN / "pgrid"), "to-csv", str(pgrid)], capture_output=True, text=True,
                          check=True).stdout
    return list(csv.DictReader(io.StringIO(text)))


def check_awkward_graph(folder):
    """Segments are those of every part in file order, none joining two parts
    or two records; Y is rewritten whole (no-data where X has none, is
    infinite or lies off the graph, whatever Y held); the message follows
    the host's language. Graphs of no segments change nothing; a data file
    without objects runs."""
    graph = folder / "awkward.shp"
    write_graph(graph, [[[(0, 0), (1, 1), (2, 0)]], None, [[(5, 5)], [(3, 1), (4, 2)], [(6, 6), (7, 7)]],
                        [[(10, 0), (11, 1)]]])
    x_to_y = {"1.5": "0.5", "2.5": "", "3.5": "1.5", "5": "", "6.5": "6.5", "10.5": "0.5", "": "", "inf": ""}
    (folder / "awkward.csv").write_text("X,Y\n" + "".join(f"{x},5.5\n" for x in x_to_y) + "\n")
    (folder / "empty.csv").write_text("X,Y\n")
    for name in ("awkward", "empty"):
        subprocess.run([str(BIN / "pgrid"), "from-csv", str(folder / f"{name}.csv"), str(folder / f"{name}.pgrid")],
                       check=True)
    status, output = run_tool(graph, folder / "awkward.pgrid", "X", "Y", lang="ru")
    check(status == 0 and output.strip() == "information: Выполнено!", f"awkward: {status} {output}")
    check([(r["X"], r["Y"]) for r in table(folder / "awkward.pgrid")] == list(x_to_y.items()), "awkward values")
    write_graph(folder / "points.shp", [[[(1, 1)]], [[(2, 2)], [(3, 3)]]])
    before = checksums(folder)
    for bad in (folder / "points.shp", SAMPLES / "polygons" / "fields.shp"):
        status, output = run_tool(bad, folder / "awkward.pgrid", "X", "Y")
        check(status == 1 and "information" not in output, f"{bad.name}: {status} {output}")
    check(checksums(folder) == before, "a graph without segments changed a file")
    status, output = run_tool(graph, folder / "empty.pgrid", "X", "Y")
    check(status == 0 and output.strip() == "information: Success!", f"empty: {status} {output}")


def main():
    with scratch_copy("oat") as data:
        graph_file, grid = data / "poro_perm.shp", data / "grid.pgrid"
        graph, before = segments(graph_file), table(grid)
        status, output = run_tool(graph_file, grid, "Пористость, д.ед.", "Проницаемость, мД")
        check(status == 0 and output.strip() == "information: Success!", f"run: {status} {output}")
        after = table(grid)
        for old, new in zip(before, after):
            want = evaluate(graph, float(old["PORO"])) if old["PORO"] else None
            got = float(new["PERM"]) if new["PERM"] else None
            check((want is None) == (got is None), f"PORO {old['PORO']}: {got} against {want}")
            check(want is None or abs(got - want) <= 1e-5 * max(1.0, abs(want)), f"PORO {old['PORO']}: {got}")
            check({k: v for k, v in new.items() if k != "PERM"} == {k: v for k, v in old.items() if k != "PERM"},
                  "another property changed")
        unchanged = checksums(data)
        cases = [  # the same property for X and Y (in any letter case), a graph that is not there
            (graph_file, grid, "Пористость, д.ед.", "Пористость, д.ед.", 1, "warning: Incomplete or wrong"),
            (data / "missing.shp", grid, "Пористость, д.ед.", "Зона", 1, ""),
            (graph_file, data / "missing.pgrid", "", "", 1, "warning: Incomplete or wrong"),
        ]
        for graph_path, data_path, x, y, want_status, want_output in cases:
            status, output = run_tool(graph_path, data_path, x, y)
            check(status == want_status and want_output in output and "information" not in output,
                  f"{graph_path.name} {x}/{y}: {status} {output}")
        check(checksums(data) == unchanged, "a refused run changed a file")
        check_awkward_graph(data)


main()
