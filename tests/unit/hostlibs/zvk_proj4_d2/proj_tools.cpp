#include "proj_tools.h"

#include "zvk_file_dbf/host_test_files.h"

#include <sstream>

namespace zv::test
{

std::string run_with_input(const std::string& command, const std::string& input)
{
    scratch_folder folder;
    write_bytes(folder / "input.txt", input);
    return run(command + " < " + quoted(folder.file("input.txt"))).value_or("");
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
