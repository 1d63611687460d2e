// zelvorlog: the dive log tools without the viewer window.
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliCommon.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int status = zelvorlog::RunZelvorLog(args, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
