// XML quoting of UTF-16 text.
#pragma once

#include <string>
#include <string_view>

namespace zv::zvk_io
{

// The text with & < > " ' replaced by their predefined XML entities, into
// out (its content replaced).
void xml_quote(std::u16string_view text, std::u16string& out);

} // namespace zv::zvk_io
