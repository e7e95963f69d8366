// zvhost: the host application's command line.
#include <iostream>
#include <string>
#include <vector>

#include "command.h"
#include "platform/console.h"

int main(int argc, char** argv)
{
    zv::hostapp::platform::use_binary_streams();
    const std::vector<std::string> arguments = zv::hostapp::platform::utf8_arguments(argc, argv);
    return zv::hostapp::run_command(arguments, std::cout, std::cerr);
}
