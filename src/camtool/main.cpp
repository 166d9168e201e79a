#include <iostream>
#include <string>
#include <vector>

#include "camtool/run_camtool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return vx::camtool::RunCamtool(arguments, std::cin, std::cout, std::cerr);
}
