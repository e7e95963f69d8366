#include "pgrid_csv.h"

#include "foundation/utf.h"

namespace zv::zvk_file_tos4
{
namespace
{

bool is_blank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

class csv_reader
{
  public:
    csv_reader(std::string_view text, char separator) : text_(text), separator_(separator) {}

    bool at_end() const { return at_ >= text_.size(); }
    std::size_t line() const { return line_; }

    // True when nothing but blanks and line ends is left.
    bool only_blank_lines_left() const
    {
        return text_.find_first_not_of(" \t\r\n", at_) == std::string_view::npos;
    }

    // Reads one record; false with *error on malformed input.
    bool record(std::vector<std::string>& fields, std::string* error)
    {
        fields.clear();
        for (;;) {
            std::string field;
            if (!read_field(field, error)) {
                return false;
            }
            fields.push_back(std::move(field));
            if (at_end()) {
                return true;
            }
            const char c = text_[at_++];
            if (c == separator_) {
                continue;
            }
            if (c == '\r' && at_ < text_.size() && text_[at_] == '\n') {
                ++at_;
            }
            ++line_;
            return true;
        }
    }

  private:
    bool ends_field(char c) const { return c == separator_ || c == '\r' || c == '\n'; }

    bool fail(std::string* error, std::size_t line, const char* why) const
    {
        *error = "line " + std::to_string(line) + ": " + why;
        return false;
    }

    bool read_field(std::string& field, std::string* error)
    {
        std::size_t start = at_;
        while (start < text_.size() && is_blank(text_[start])) {
            ++start;
        }
        if (start < text_.size() && text_[start] == '"') {
            at_ = start;
            return read_quoted(field, error);
        }
        while (at_ < text_.size() && !ends_field(text_[at_])) {
            if (text_[at_] == '"') {
                return fail(error, line_, "quote inside an unquoted field");
            }
            ++at_;
        }
        field = trimmed(text_.substr(start, at_ - start));
        if (at_ < text_.size() && text_[at_] == '\r' && (at_ + 1 >= text_.size() || text_[at_ + 1] != '\n')) {
            return fail(error, line_, "carriage return without line feed");
        }
        return true;
    }

    bool read_quoted(std::string& field, std::string* error)
    {
        const std::size_t start_line = line_;
        ++at_;
        for (;;) {
            if (at_ >= text_.size()) {
                return fail(error, start_line, "quoted field without its closing quote");
            }
            const char c = text_[at_++];
            if (c == '"' && at_ < text_.size() && text_[at_] == '"') {
                field += '"';
                ++at_;
            } else if (c == '"') {
                break;
            } else {
                line_ += c == '\n' ? 1 : 0;
                field += c;
            }
        }
        while (at_ < text_.size() && is_blank(text_[at_])) {
            ++at_;
        }
        if (at_ < text_.size() && !ends_field(text_[at_])) {
            return fail(error, line_, "text after a closing quote");
        }
        return true;
    }

    std::string_view text_;
    char separator_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
};

} // namespace

char detect_separator(std::string_view text)
{
    std::size_t commas = 0;
    std::size_t semicolons = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == '\r' || c == '\n')) {
            break;
        }
        commas += !quoted && c == ',' ? 1 : 0;
        semicolons += !quoted && c == ';' ? 1 : 0;
    }
    return semicolons > commas ? ';' : ',';
}

std::optional<csv_table> parse_csv(std::string_view text, std::string* error, char separator)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    if (!zv::foundation::to_utf16_strict(text)) {
        *error = "the text is not UTF-8";
        return std::nullopt;
    }
    csv_table table;
    table.separator = separator != 0 ? separator : detect_separator(text);
    csv_reader reader(text, table.separator);
    if (reader.only_blank_lines_left()) {
        *error = "no header row";
        return std::nullopt;
    }
    if (!reader.record(table.header, error)) {
        return std::nullopt;
    }
    std::vector<std::string> fields;
    while (!reader.only_blank_lines_left()) {
        const std::size_t line = reader.line();
        if (!reader.record(fields, error)) {
            return std::nullopt;
        }
        if (fields.size() != table.header.size()) {
            *error = "line " + std::to_string(line) + ": " + std::to_string(fields.size()) +
                     (fields.size() == 1 ? " field" : " fields") + " where the header has " +
                     std::to_string(table.header.size());
            return std::nullopt;
        }
        table.rows.push_back(fields);
    }
    return table;
}

std::string csv_field(std::string_view text, char separator)
{
    const bool plain = text.find_first_of("\"\r\n") == std::string_view::npos &&
                       text.find(separator) == std::string_view::npos && trimmed(text) == text;
    if (plain) {
        return std::string(text);
    }
    std::string out = "\"";
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

std::string csv_row(const std::vector<std::string>& fields, char separator)
{
    if (fields.size() == 1 && fields[0].empty()) {
        return "\"\"\r\n";
    }
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += separator;
        }
        out += csv_field(fields[i], separator);
    }
    return out + "\r\n";
}

} // namespace zv::zvk_file_tos4
