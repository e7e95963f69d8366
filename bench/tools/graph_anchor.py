"""The OAT graph tool's job done with numpy: the result property Y of a .pgrid
file rewritten, in place, as numpy.interp of its source property X over a
graph with increasing x, no-data where X is no-data or outside the graph.

  graph_anchor.py DATA.pgrid GRAPH.npy X_NAME Y_NAME

The graph's vertices come from a .npy (2 x vertices); the .pgrid header is
read with struct and the two columns with numpy, from the file's own bytes
(docs/pgrid.md).
"""
import struct
import sys

import numpy

TYPES = {1: numpy.float32, 2: numpy.float64, 3: numpy.int32, 4: numpy.int16, 5: numpy.uint8}


def columns(f):
    """Object count, and each property's name, type and first value's offset."""
    _, _, _, count, objects, data_offset = struct.unpack("<8sHHIQQ", f.read(32))
    found, offset = {}, data_offset
    for _ in range(count):
        code, _, name_length, caption_length, _, _ = struct.unpack("<BBHHHd", f.read(16))
        name = f.read(name_length).decode("utf-8")
        f.read(caption_length)
        found[name] = (numpy.dtype(TYPES[code]), offset)
        offset += objects * found[name][0].itemsize
    return objects, found


def main(data_path, graph_path, x_name, y_name):
    gx, gy = numpy.load(graph_path)
    with open(data_path, "r+b") as f:
        objects, found = columns(f)
        (x_type, x_offset), (y_type, y_offset) = found[x_name], found[y_name]
        f.seek(x_offset)
        xs = numpy.fromfile(f, dtype=x_type, count=objects)
        ys = numpy.interp(xs, gx, gy, left=numpy.nan, right=numpy.nan)
        f.seek(y_offset)
        ys.astype(y_type).tofile(f)
    print("Success!")


if __name__ == "__main__":
    main(*sys.argv[1:5])
