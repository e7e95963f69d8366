#include "proj_answers.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace zv::proj_double
{

std::string escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string unescaped(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 't' ? '\t' : next == 'r' ? '\r' : next == 'n' ? '\n' : next;
    }
    return out;
}

std::string exact(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%a", value);
    return buffer;
}

double exact_value(std::string_view text)
{
    return std::strtod(std::string(text).c_str(), nullptr);
}

std::string numbers_answer(std::initializer_list<double> values)
{
    std::string out;
    for (const double value : values)
        out += (out.empty() ? "" : " ") + exact(value);
    return out;
}

std::vector<double> answer_numbers(std::string_view answer, std::size_t count)
{
    std::vector<double> values(count, 0.0);
    std::size_t at = 0;
    for (double& value : values) {
        const std::size_t end = std::min(answer.find(' ', at), answer.size());
        if (at < end)
            value = exact_value(answer.substr(at, end - at));
        at = end + 1;
        if (at > answer.size())
            break;
    }
    return values;
}

std::string made(std::string_view call, std::string_view from)
{
    return std::string(call) + "(" + std::string(from) + ")";
}

std::string answer_line(std::string_view call, std::string_view question, std::string_view answer)
{
    return std::string(call) + "\t" + escaped(question) + "\t" + escaped(answer) + "\n";
}

answer_book read_answers(const std::string& path)
{
    answer_book book;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        const auto first = line.find('\t');
        const auto second = first == std::string::npos ? first : line.find('\t', first + 1);
        if (second == std::string::npos)
            continue;
        book[{line.substr(0, first), unescaped(line.substr(first + 1, second - first - 1))}] =
            unescaped(line.substr(second + 1));
    }
    return book;
}

} // namespace zv::proj_double
