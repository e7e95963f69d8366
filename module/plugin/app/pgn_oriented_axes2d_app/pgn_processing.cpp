#include "plugin/app/pgn_oriented_axes2d_app/pgn_processing.h"

#include "host/zvk_gc64lib.h"
#include "host/zvk_msgs.h"
#include "support/host_handle.h"
#include "support/paths.h"

#include <array>

namespace zv
{
namespace
{

using geometry_table = support::host_handle<zv_gc_geom_table, &zv_gc_obj_destroy>;

// The five tables of one run, in their order of creation.
enum table_slot {
    input_table,
    parts_table,
    long_axes_table,
    short_axes_table,
    rectangles_table,
    table_count
};

// The tables are created in slot order; as array elements they are destroyed
// in the reverse order, each only if it was created.
class geometry_tables
{
  public:
    geometry_tables()
    {
        for (geometry_table& table : tables_)
            table.reset(zv_gc_geom_table_create());
    }
    zv_gc_geom_table_t operator[](table_slot slot) const { return tables_[slot].get(); }

  private:
    std::array<geometry_table, table_count> tables_;
};

std::u16string suffixed(std::u16string_view input, std::u16string_view suffix)
{
    return support::with_stem(input, support::stem(input) + std::u16string(suffix));
}

// The saves in order; the first that fails ends them.
bool save_outputs(const geometry_tables& tables, const pgn_output_paths& paths)
{
    return zv_gc_geom_table_save_shp(tables[long_axes_table], paths.long_axes.c_str()) &&
           zv_gc_geom_table_save_shp(tables[short_axes_table], paths.short_axes.c_str()) &&
           zv_gc_geom_table_save_shp(tables[rectangles_table], paths.rectangles.c_str());
}

} // namespace

pgn_output_paths pgn_output_paths_for(std::u16string_view input)
{
    return {suffixed(input, u"_large_axes2d"), suffixed(input, u"_small_axes2d"),
            suffixed(input, u"_rect2d")};
}

bool pgn_process_path(const std::u16string& path)
{
    if (path.empty())
        return false;
    const pgn_output_paths outputs = pgn_output_paths_for(path);
    const geometry_tables tables;
    bool ok = zv_gc_geom_table_load_shp(tables[input_table], path.c_str());
    // Split even after a failed load: it leaves the parts table empty.
    zv_gc_geom_table_split_parts(tables[input_table], tables[parts_table]);
    if (ok) {
        // Their results are not used: the saves tell what was made.
        zv_gc_geom_table_pgn_oriented_ls_axes2d(tables[parts_table], tables[long_axes_table],
                                                tables[short_axes_table]);
        zv_gc_geom_table_pgn_oriented_rect2d(tables[parts_table], tables[rectangles_table]);
        ok = save_outputs(tables, outputs);
    }
    // The tool's one message is a fixed text, the same in every language.
    zv_show_wmessage(u"Выполнено!");
    return ok;
}

} // namespace zv
