// Which code page a table's text is in: the .cpg file beside it when it
// names one we can convert, else the language-driver byte of its header,
// else the system ANSI code page. And the reverse for tables we create.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zv::zvk_file_dbf
{

// Code page named by the text of a .cpg file ("UTF-8", "1251", "CP1251",
// "ANSI 1251", "windows-1251", "OEM 866", "ISO-8859-5", ...); 0 when the
// text names none.
unsigned code_page_of_cpg(std::string_view text);

// Code page of a language-driver byte; 0 for 0 and unknown bytes. The
// "ANSI" byte 0x57 stands for the system ANSI code page (ansi_page).
unsigned code_page_of_driver(std::uint8_t driver, unsigned ansi_page);

// Language-driver byte for a code page; 0 when the page has none.
std::uint8_t driver_of_code_page(unsigned code_page);

// Text of the .cpg written beside a table in code_page.
std::string cpg_text(unsigned code_page);

// The table's code page from its .cpg (UTF-8 path of the .dbf) and driver.
unsigned table_code_page(const std::string& dbf_path, std::uint8_t driver, unsigned ansi_page);

// Path with its extension replaced (extension with its dot, ".cpg").
std::string replace_extension(const std::string& path, std::string_view extension);

} // namespace zv::zvk_file_dbf
