#include "zvk_file_dbf/dbf_codepage.h"

#include "foundation/code_page.h"
#include "foundation/file.h"
#include "foundation/file_window.h"
#include "foundation/paths.h"

#include <array>
#include <cctype>
#include <cstdlib>

namespace zv::zvk_file_dbf
{
namespace
{

struct driver_page {
    std::uint8_t driver;
    unsigned code_page;
};

// Language-driver bytes of the dBASE header and their code pages; the
// first entry of a code page is the one written for it.
constexpr std::array<driver_page, 22> driver_pages{{
    {0x01, 437},  {0x02, 850},  {0x03, 1252}, {0x26, 866},  {0x64, 852},  {0x65, 866},
    {0x66, 865},  {0x67, 861},  {0x6A, 737},  {0x6B, 857},  {0x7C, 874},  {0x7D, 1255},
    {0x7E, 1256}, {0xC8, 1250}, {0xC9, 1251}, {0xCA, 1254}, {0xCB, 1253}, {0xCC, 1257},
    {0x13, 932},  {0x4D, 936},  {0x4E, 949},  {0x4F, 950},
}};

constexpr std::uint8_t ansi_driver = 0x57;

std::string normalized(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    return out;
}

bool starts_with(const std::string& s, std::string_view prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

unsigned number(std::string_view digits)
{
    if (digits.empty() || digits.size() > 5) {
        return 0;
    }
    unsigned value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return 0;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

} // namespace

unsigned code_page_of_cpg(std::string_view text)
{
    const std::string s = normalized(text);
    if (s == "UTF-8" || s == "UTF8") {
        return foundation::code_page_utf8;
    }
    if (starts_with(s, "ISO-8859-") || starts_with(s, "ISO8859-")) {
        const unsigned part = number(std::string_view(s).substr(s.find('-', 4) + 1));
        return part >= 1 && part <= 15 ? 28590 + part : 0;
    }
    for (const std::string_view prefix : {"WINDOWS-", "ANSI", "OEM", "IBM", "CP", ""}) {
        if (starts_with(s, prefix)) {
            if (const unsigned cp = number(std::string_view(s).substr(prefix.size())); cp != 0) {
                return cp;
            }
        }
    }
    return 0;
}

unsigned code_page_of_driver(std::uint8_t driver, unsigned ansi_page)
{
    if (driver == ansi_driver) {
        return ansi_page;
    }
    for (const auto& entry : driver_pages) {
        if (entry.driver == driver) {
            return entry.code_page;
        }
    }
    return 0;
}

std::uint8_t driver_of_code_page(unsigned code_page)
{
    for (const auto& entry : driver_pages) {
        if (entry.code_page == code_page) {
            return entry.driver;
        }
    }
    return 0;
}

std::string cpg_text(unsigned code_page)
{
    return code_page == foundation::code_page_utf8 ? std::string("UTF-8") : std::to_string(code_page);
}

std::string replace_extension(const std::string& path, std::string_view extension)
{
    return std::string(foundation::without_extension(std::string_view(path))) + std::string(extension);
}

unsigned table_code_page(const std::string& dbf_path, std::uint8_t driver, unsigned ansi_page)
{
    constexpr std::size_t cpg_limit = 256;
    const std::string base(foundation::without_extension(std::string_view(dbf_path)));
    const auto cpg = foundation::find_companion(base, ".cpg");
    if (const auto text = cpg ? foundation::read_small_file(*cpg, cpg_limit) : std::nullopt) {
        const unsigned cp = code_page_of_cpg(*text);
        if (cp != 0 && foundation::is_supported(cp)) {
            return cp;
        }
    }
    const unsigned cp = code_page_of_driver(driver, ansi_page);
    return cp != 0 && foundation::is_supported(cp) ? cp : ansi_page;
}

} // namespace zv::zvk_file_dbf
