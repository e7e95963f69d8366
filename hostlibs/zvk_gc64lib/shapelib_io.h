// What loading and saving share on top of shapelib: owning handles, shape
// type conversion and file hooks that notice failed writes.
#pragma once

#include "geom_table.h"

#include <shapefil.h>

#include <memory>

namespace zv::gc
{

struct shp_closer {
    void operator()(SHPHandle h) const { SHPClose(h); }
};
struct dbf_closer {
    void operator()(DBFHandle h) const { DBFClose(h); }
};
struct shape_destroyer {
    void operator()(SHPObject* s) const { SHPDestroyObject(s); }
};
using shp_ptr = std::unique_ptr<SHPInfo, shp_closer>;
using dbf_ptr = std::unique_ptr<DBFInfo, dbf_closer>;
using shape_ptr = std::unique_ptr<SHPObject, shape_destroyer>;

// The 2-D kind of a shapelib shape type (Z and M variants included); an
// unknown type is null.
shape_kind kind_of_shape_type(int shp_type);

// The plain 2-D shapelib type of a kind.
int shape_type_of_kind(shape_kind kind);

// Hooks for shapelib: C streams with a large buffer that a seek to the
// current position does not flush (so records cost no system call each);
// a short write, a failed seek or flush (where buffered data meets a full
// disk) and a failed close are remembered, since shapelib does not report
// them all (it ignores failures while closing); its diagnostics stay off
// standard error.
SAHooks* quiet_hooks();

// Clears respectively tells the failure flag of quiet_hooks (per thread).
void reset_io_failure();
bool io_failed();

} // namespace zv::gc
