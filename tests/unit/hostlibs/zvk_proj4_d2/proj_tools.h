// Running PROJ's own command-line programs (cs2cs, geod) as the independent
// reference for reprojection and length tests, and small adapter helpers.
#pragma once

#include "host/zvk_basic.h"
#include "scratch_folder.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zv::test
{

// Runs "program args < input" and returns its standard output; empty when
// the program cannot be run.
std::string run_with_input(const std::string& command, const std::string& input);

// The numbers on each output line of a PROJ tool.
std::vector<std::vector<double>> numbers_per_line(const std::string& output);

// An adapter that collects narrow and wide deliveries.
class text_sink
{
  public:
    text_sink();
    ~text_sink();
    zv_string_adp_t handle() const { return handle_; }
    std::string narrow;
    std::u16string wide;
    int calls = 0;

  private:
    zv_string_adp_t handle_;
};

} // namespace zv::test
