#include "geom_table.h"

#include "ring_topology.h"

#include <utility>

namespace zv::zvk_gc64lib
{

std::size_t attribute_set::record_length() const
{
    std::size_t n = 0;
    for (const field_desc& f : fields)
        n += static_cast<std::size_t>(f.width);
    return n;
}

void geom_table::clear()
{
    *this = geom_table{};
}

void geom_table::derive_from(const geom_table& source, shape_kind new_kind,
                             std::vector<computed_field> new_fields)
{
    // source may be this table: copy what is kept before replacing anything.
    auto attrs = source.attributes;
    std::string prj_text = source.prj;
    const bool prj_present = source.has_prj;
    clear();
    kind = new_kind;
    attributes = std::move(attrs);
    prj = std::move(prj_text);
    has_prj = prj_present;
    computed = std::move(new_fields);
}

namespace
{

geom_object piece_of(const geom_object& whole, int32_t part, std::vector<ring> rings)
{
    geom_object piece;
    piece.kind = whole.kind;
    piece.parts = std::move(rings);
    piece.source_object = whole.source_object;
    piece.source_part = part;
    piece.attribute_row = whole.attribute_row;
    piece.values = whole.values;
    return piece;
}

void split_polygon(const geom_object& obj, std::vector<geom_object>& out)
{
    int32_t part = 0;
    for (const ring_group& g : group_rings(obj.parts)) {
        std::vector<ring> rings{obj.parts[g.outer]};
        for (std::size_t h : g.holes)
            rings.push_back(obj.parts[h]);
        out.push_back(piece_of(obj, part++, std::move(rings)));
    }
}

void split_line(const geom_object& obj, std::vector<geom_object>& out)
{
    int32_t part = 0;
    for (const ring& r : obj.parts)
        out.push_back(piece_of(obj, part++, {r}));
}

} // namespace

void split_parts(const geom_table& source, geom_table& target)
{
    std::vector<geom_object> pieces;
    pieces.reserve(source.objects.size());
    for (const geom_object& obj : source.objects) {
        if (obj.kind == shape_kind::polygon && obj.parts.size() > 1)
            split_polygon(obj, pieces);
        else if (obj.kind == shape_kind::line && obj.parts.size() > 1)
            split_line(obj, pieces);
        else
            pieces.push_back(obj);
    }
    auto fields = source.computed;
    target.derive_from(source, source.kind, std::move(fields));
    target.objects = std::move(pieces);
}

} // namespace zv::zvk_gc64lib
