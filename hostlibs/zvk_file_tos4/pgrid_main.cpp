// pgrid: make and read .pgrid data files (see docs/pgrid.md).
#include "pgrid_commands.h"

#include <iostream>

int main(int argc, char** argv)
{
    try {
        std::ios::sync_with_stdio(false);
        return zv::zvk_file_tos4::run_command(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                              std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "pgrid: " << e.what() << "\n";
        return 1;
    }
}
