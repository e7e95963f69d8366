// A translation file: the texts that the host's localizer serves for a
// module's string identifiers instead of the module's own table.
//
// Format (UTF-8, an optional byte-order mark): one entry per line,
//   <id> TAB <text>
// with <id> a decimal number from 1 to 4294967295. In <text>, "\t", "\n" and
// "\\" stand for a tab, a line break and a backslash. Empty lines and lines
// starting with '#' are skipped. A later entry for the same id replaces an
// earlier one.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "zvhost_api.h"

namespace zv::hostapp
{

class ZVHOST_API translations
{
  public:
    // Parses the file's content. On a malformed line returns nothing and sets
    // `error` to "line N: <reason>".
    static std::optional<translations> parse(std::string_view content, std::string& error);
    // Reads and parses a file; `error` also reports a file that cannot be read.
    static std::optional<translations> load(const std::string& path, std::string& error);

    // The text for `id`, or null when the file has none.
    const std::u16string* find(uint32_t id) const;
    std::size_t size() const { return texts_.size(); }

  private:
    std::map<uint32_t, std::u16string> texts_;
};

} // namespace zv::hostapp
