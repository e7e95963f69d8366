#include "translations.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "foundation/paths.h"
#include "foundation/utf.h"

namespace zv::hostapp
{
namespace
{

std::optional<std::u16string> unescape(std::string_view text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            plain += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case 't':
            plain += '\t';
            break;
        case 'n':
            plain += '\n';
            break;
        case '\\':
            plain += '\\';
            break;
        default:
            return std::nullopt;
        }
    }
    return foundation::to_utf16_strict(plain);
}

// Parses one entry line into `id` and `text`; returns the reason on failure.
std::string parse_line(std::string_view line, uint32_t& id, std::u16string& text)
{
    std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos)
        return "expected <id> TAB <text>";
    std::string_view number = line.substr(0, tab);
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), id);
    if (ec != std::errc() || end != number.data() + number.size() || number.empty() || id == 0)
        return "the id must be a number from 1 to 4294967295";
    std::optional<std::u16string> decoded = unescape(line.substr(tab + 1));
    if (!decoded)
        return "the text is not valid UTF-8 or has an unknown escape";
    text = std::move(*decoded);
    return {};
}

} // namespace

std::optional<translations> translations::parse(std::string_view content, std::string& error)
{
    if (content.starts_with("\xEF\xBB\xBF"))
        content.remove_prefix(3);
    translations result;
    std::size_t number = 0;
    while (!content.empty()) {
        ++number;
        std::size_t eol = content.find('\n');
        std::string_view line = content.substr(0, eol);
        content.remove_prefix(eol == std::string_view::npos ? content.size() : eol + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        uint32_t id = 0;
        std::u16string text;
        std::string reason = parse_line(line, id, text);
        if (!reason.empty()) {
            error = "line " + std::to_string(number) + ": " + reason;
            return std::nullopt;
        }
        result.texts_[id] = std::move(text);
    }
    return result;
}

std::optional<translations> translations::load(const std::string& path, std::string& error)
{
    std::error_code ec;
    std::ifstream in;
    if (std::filesystem::is_regular_file(path, ec))
        in.open(path, std::ios::binary);
    if (!in.is_open()) {
        error = "cannot read " + path;
        return std::nullopt;
    }
    std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        error = "cannot read " + path;
        return std::nullopt;
    }
    std::optional<translations> parsed = parse(content, error);
    if (!parsed)
        error = path + ": " + error;
    return parsed;
}

const std::u16string* translations::find(uint32_t id) const
{
    auto it = texts_.find(id);
    return it != texts_.end() ? &it->second : nullptr;
}

} // namespace zv::hostapp
