#include "proj_tools.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace zv::test
{

std::string run_with_input(const std::string& command, const std::string& input)
{
    scratch_folder folder;
    const auto input_path = folder.path() / "input.txt";
    std::ofstream(input_path) << input;
    const std::string line = command + " < '" + input_path.string() + "'";
    std::FILE* pipe = popen(line.c_str(), "r");
    if (pipe == nullptr) {
        return {};
    }
    std::string output;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        output.append(buffer, n);
    }
    pclose(pipe);
    return output;
}

std::vector<std::vector<double>> numbers_per_line(const std::string& output)
{
    std::vector<std::vector<double>> lines;
    std::istringstream in(output);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::vector<double> numbers;
        double value = 0.0;
        while (words >> value) {
            numbers.push_back(value);
        }
        lines.push_back(numbers);
    }
    return lines;
}

} // namespace zv::test
