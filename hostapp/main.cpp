// zvhost: the host application's command line.
#include <iostream>
#include <string>
#include <vector>

#include "command.h"

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return zv::hostapp::run_command(arguments, std::cout, std::cerr);
}
