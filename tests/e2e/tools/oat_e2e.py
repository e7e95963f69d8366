"""The OAT graph tool through zvhost on the sample grid and graph: the result
property read with `pgrid to-csv` against the graph evaluated here, and the
parameter warning."""
import csv
import io
import subprocess

import shapefile

from e2e_kit import BIN, check, checksums, scratch_copy, zvhost

GRAPH, DATA, X, Y = ("Graph file (polyline SHAPE):", "Data file (OAT):",
                     "Source property (X):", "Result property (Y):")


def run_tool(graph, data, x, y):
    settings = [("--set", f"{GRAPH}={graph}"), ("--set", f"{DATA}={data}")]
    settings += [("--set", f"{label}={item}") for label, item in ((X, x), (Y, y)) if item]  # none to choose
    return zvhost("run", "tos_graph_x2y_app", *[word for pair in settings for word in pair])


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


main()
