// The in-memory geometry table: objects with their parts, where each object
// came from, and the source records' attributes shared by every table derived
// from one load.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zv::zvk_gc64lib
{

struct point {
    double x;
    double y;
};

// A list of vertices: a ring of a polygon (closed, first vertex repeated),
// a part of a line, or the vertices of a point or multipoint.
using ring = std::vector<point>;

// What an object is, independent of Z and M: the 2-D shape types.
enum class shape_kind { null, point, line, polygon, multipoint, multipatch };

// One field of the source .dbf as stored there.
struct field_desc {
    std::string name;
    char type = 'C';
    int width = 0;
    int decimals = 0;
};

// The source records' attributes, kept as the raw bytes of each record
// (without the deletion flag) so that they are written back unchanged in
// the source's own code page.
struct attribute_set {
    std::vector<field_desc> fields;
    std::vector<std::string> records;
    std::string cpg;        // text of the source's .cpg, copied as it is; empty when none
    unsigned code_page = 0; // declared by the .cpg or the language-driver byte; 0 when unknown
    std::size_t record_length() const;
};

// A numeric field added by the operation that made a table.
struct computed_field {
    const char* name;
    int width;
    int decimals;
};

struct geom_object {
    shape_kind kind = shape_kind::null;
    std::vector<ring> parts;
    int32_t source_object = 0;  // 0-based record number in the loaded shape file
    int32_t source_part = 0;    // 0-based part of that record
    int64_t attribute_row = -1; // record of the attribute set; -1 when none
    std::vector<double> values; // one per computed field of the table
};

struct geom_table {
    shape_kind kind = shape_kind::null; // the shape type the table is saved as
    std::vector<geom_object> objects;
    std::shared_ptr<const attribute_set> attributes;
    std::vector<computed_field> computed;
    std::string prj; // content of the source .prj
    bool has_prj = false;

    void clear();
    // Takes over everything but the objects and computed fields from source.
    void derive_from(const geom_table& source, shape_kind new_kind, std::vector<computed_field> new_fields);
};

// Replaces target with source's objects split into single parts: a polygon
// becomes one object per outer ring with the holes inside it, a line one
// object per part; other objects are copied. target may be source.
void split_parts(const geom_table& source, geom_table& target);

} // namespace zv::zvk_gc64lib
