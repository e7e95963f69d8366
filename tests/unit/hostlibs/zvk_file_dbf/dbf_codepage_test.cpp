// How a table's .cpg text and language-driver byte name its code page (where
// the .cpg is: the path rules of tests/unit/foundation).
#include "zvk_file_dbf/dbf_codepage.h"

#include <gtest/gtest.h>

#include <utility>

namespace
{

using namespace zv::zvk_file_dbf;

TEST(DbfCodePage, CpgTextInTheFormsWritersUse)
{
    const std::pair<const char*, unsigned> cases[] = {{"utf8\r\n", 65001},   {"ANSI 1251", 1251},
                                                      {"ISO-8859-5", 28595}, {"", 0},
                                                      {"CP12a51", 0},        {"ISO-8859-99", 0}};
    for (const auto& [text, code_page] : cases)
        EXPECT_EQ(code_page_of_cpg(text), code_page) << text;
    EXPECT_EQ(cpg_text(65001), "UTF-8");
    EXPECT_EQ(cpg_text(1251), "1251");
}

TEST(DbfCodePage, DriverBytesAndCodePagesMapBothWays)
{
    EXPECT_EQ(code_page_of_driver(0xC9, 1252), 1251u);
    EXPECT_EQ(code_page_of_driver(0x65, 1252), 866u);
    EXPECT_EQ(code_page_of_driver(0x57, 1250), 1250u) << "0x57 is the ANSI code page";
    EXPECT_EQ(code_page_of_driver(0x00, 1251), 0u);
    for (const unsigned cp : {1250u, 1251u, 1252u, 1253u, 1254u, 1257u, 866u, 437u})
        EXPECT_EQ(code_page_of_driver(driver_of_code_page(cp), 0), cp) << cp;
    EXPECT_EQ(driver_of_code_page(65001), 0);
}

} // namespace
