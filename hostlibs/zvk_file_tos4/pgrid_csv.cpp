#include "pgrid_csv.h"

#include "foundation/paths.h"
#include "foundation/utf.h"

namespace zv::zvk_file_tos4
{
namespace
{

class csv_reader
{
  public:
    explicit csv_reader(std::string_view text) : text_(text) {}

    bool at_end() const { return at_ >= text_.size(); }
    std::size_t line() const { return line_; }

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
            if (c == ',') {
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
    bool read_field(std::string& field, std::string* error)
    {
        if (at_ < text_.size() && text_[at_] == '"') {
            return read_quoted(field, error);
        }
        while (at_ < text_.size() && text_[at_] != ',' && text_[at_] != '\r' && text_[at_] != '\n') {
            if (text_[at_] == '"') {
                *error = "line " + std::to_string(line_) + ": quote inside an unquoted field";
                return false;
            }
            field += text_[at_++];
        }
        if (at_ < text_.size() && text_[at_] == '\r' && (at_ + 1 >= text_.size() || text_[at_ + 1] != '\n')) {
            *error = "line " + std::to_string(line_) + ": carriage return without line feed";
            return false;
        }
        return true;
    }

    bool read_quoted(std::string& field, std::string* error)
    {
        const std::size_t start_line = line_;
        ++at_;
        for (;;) {
            if (at_ >= text_.size()) {
                *error = "line " + std::to_string(start_line) + ": quoted field without its closing quote";
                return false;
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
        if (at_ < text_.size() && text_[at_] != ',' && text_[at_] != '\r' && text_[at_] != '\n') {
            *error = "line " + std::to_string(line_) + ": text after a closing quote";
            return false;
        }
        return true;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
};

} // namespace

std::optional<csv_table> parse_csv(std::string_view text, std::string* error)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    if (!zv::foundation::to_utf16_strict(text)) {
        *error = "the text is not UTF-8";
        return std::nullopt;
    }
    if (text.empty()) {
        *error = "no header row";
        return std::nullopt;
    }
    csv_reader reader(text);
    csv_table table;
    if (!reader.record(table.header, error)) {
        return std::nullopt;
    }
    std::vector<std::string> fields;
    while (!reader.at_end()) {
        const std::size_t line = reader.line();
        if (!reader.record(fields, error)) {
            return std::nullopt;
        }
        if (fields.size() != table.header.size()) {
            *error = "line " + std::to_string(line) + ": " + std::to_string(fields.size()) +
                     " fields, the header has " + std::to_string(table.header.size());
            return std::nullopt;
        }
        table.rows.push_back(fields);
    }
    return table;
}

std::string csv_field(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
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

std::string csv_row(const std::vector<std::string>& fields)
{
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        out += csv_field(fields[i]);
    }
    return out + "\r\n";
}

} // namespace zv::zvk_file_tos4
