#include "gc_test_support.h"

#include "zvk_file_dbf/host_test_files.h"

#include <shapefil.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace zv::zvk_gc64lib::test
{
namespace fs = std::filesystem;

namespace
{

void write_shapes(const std::string& base, const shapefile_input& input)
{
    SHPHandle shp = SHPCreate((base + ".shp").c_str(), input.shp_type);
    if (shp == nullptr)
        throw std::runtime_error("SHPCreate failed");
    for (const auto& parts : input.objects) {
        std::vector<int> starts;
        std::vector<double> xs, ys;
        for (const ring& r : parts) {
            starts.push_back(static_cast<int>(xs.size()));
            for (point p : r) {
                xs.push_back(p.x);
                ys.push_back(p.y);
            }
        }
        SHPObject* s =
            SHPCreateObject(input.shp_type, -1, static_cast<int>(starts.size()), starts.data(), nullptr,
                            static_cast<int>(xs.size()), xs.data(), ys.data(), nullptr, nullptr);
        SHPWriteObject(shp, -1, s);
        SHPDestroyObject(s);
    }
    SHPClose(shp);
}

void write_table(const std::string& base, const shapefile_input& input)
{
    DBFHandle dbf =
        DBFCreateEx((base + ".dbf").c_str(), input.code_page.empty() ? nullptr : input.code_page.c_str());
    if (dbf == nullptr)
        throw std::runtime_error("DBFCreate failed");
    DBFAddField(dbf, "NAME", FTString, 24, 0);
    DBFAddField(dbf, "CODE", FTInteger, 6, 0);
    DBFAddField(dbf, "LENGTH", FTString, 8, 0);
    const std::size_t records =
        input.dbf_records < 0 ? input.objects.size() : static_cast<std::size_t>(input.dbf_records);
    for (std::size_t i = 0; i < records; ++i) {
        const int row = static_cast<int>(i);
        DBFWriteStringAttribute(dbf, row, 0, i < input.names.size() ? input.names[i].c_str() : "");
        DBFWriteIntegerAttribute(dbf, row, 1, i < input.codes.size() ? input.codes[i] : 0);
        DBFWriteStringAttribute(dbf, row, 2, "src");
    }
    DBFClose(dbf);
}

constexpr const char* dump_script = R"PY(
import sys, shapefile
r = shapefile.Reader(sys.argv[1], encoding=sys.argv[2])
print('type', r.shapeType, sep='\t')
for f in r.fields[1:]:
    print('field', f[0], f[1], f[2], f[3], sep='\t')
for rec in r.records():
    print('record', *[repr(v) if isinstance(v, float) else v for v in rec], sep='\t')
for s in r.shapes():
    print('shape', s.shapeType, ','.join(str(p) for p in s.parts),
          *['%.9f,%.9f' % (p[0], p[1]) for p in s.points], sep='\t')
)PY";

} // namespace

void write_shapefile(const std::string& base, const shapefile_input& input)
{
    write_shapes(base, input);
    write_table(base, input);
}

std::vector<std::string> pyshp_dump(const std::string& shp_path, const std::string& encoding)
{
    // pyshp's complaints go into the dump too, where the failing check shows them.
    using zv::test::quoted;
    const std::string output =
        zv::test::run("PYTHONIOENCODING=utf-8 " + quoted(ZV_PYTHON) + " -c " + quoted(dump_script) + " " +
                      quoted(shp_path) + " " + quoted(encoding) + " 2>&1; true")
            .value_or("");
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = output.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(output.substr(start, end - start));
    return lines;
}

std::vector<std::string> split_tabs(const std::string& line)
{
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        cells.push_back(line.substr(start, tab - start));
    cells.push_back(line.substr(start));
    return cells;
}

std::vector<std::vector<std::string>> lines_starting(const std::vector<std::string>& dump,
                                                     const std::string& tag)
{
    std::vector<std::vector<std::string>> out;
    for (const std::string& line : dump) {
        auto cells = split_tabs(line);
        if (cells.front() == tag)
            out.emplace_back(cells.begin() + 1, cells.end());
    }
    return out;
}

ring make_ring(std::initializer_list<double> xy)
{
    ring r;
    for (auto it = xy.begin(); it != xy.end(); it += 2)
        r.push_back({*it, *(it + 1)});
    return r;
}

} // namespace zv::zvk_gc64lib::test
