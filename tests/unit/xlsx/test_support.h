// Writing one part to a string, and the golden parts, for the workbook
// writer's tests; scratch folders and file access come from the test kit.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "kit/scratch_folder.h"
#include "xlsx/part_stream.h"
#include "xlsx/xml_writer.h"

namespace xlsx_test
{

// Runs `write` on a writer over a scratch file (after the declaration) and
// returns the bytes of the file.
inline std::string WriteToString(const std::function<void(zv::xlsx::XmlWriter&)>& write)
{
    zv::test::scratch_folder folder("zv_xlsx");
    {
        zv::xlsx::PartStream stream;
        stream.Open(zv::test::u16(folder.file("part.xml")));
        zv::xlsx::XmlWriter xml(stream);
        xml << zv::xlsx::XmlToken::Prolog();
        write(xml);
    }
    return zv::test::read_bytes(folder / "part.xml");
}

inline std::string Golden(const std::string& name)
{
    return zv::test::read_bytes(std::filesystem::path(ZV_TEST_DATA) / "xlsx" / name);
}

} // namespace xlsx_test
