// The recorded answers of PROJ that the Windows test double replays: one
// line per answer, "<call> TAB <question> TAB <answer>", the texts escaped so
// that neither holds a tab or a line end. The recorder (Linux, around the
// real library) appends them; the replay looks them up.
//
// Objects are named by how they were made ("create(<definition>)",
// "crs_to_crs(<a>,<b>)", ...), so the same question in another run names the
// same object. Numbers are written exactly (hexadecimal floating point).
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zv::proj_double
{

// A text with backslash, tab, carriage return and line feed escaped.
std::string escaped(std::string_view text);
std::string unescaped(std::string_view text);

// A double exactly, as "%a" writes it; and back.
std::string exact(double value);
double exact_value(std::string_view text);

// Numbers as one answer, separated by spaces, each written exactly; and
// back (missing numbers read as 0).
std::string numbers_answer(std::initializer_list<double> values);
std::vector<double> answer_numbers(std::string_view answer, std::size_t count);

// The name of an object that `call` made from the objects or text `from`.
std::string made(std::string_view call, std::string_view from);

// One answer line (with its line end).
std::string answer_line(std::string_view call, std::string_view question, std::string_view answer);

// The answers of a file: (call, question) -> answer. Lines that cannot be
// read are skipped; an answer recorded twice keeps its last value.
using answer_book = std::map<std::pair<std::string, std::string>, std::string>;
answer_book read_answers(const std::string& path);

} // namespace zv::proj_double
