// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "camtool/run_camtool.h"

int main(int argc, char** argv) {
    // Over the file-size limit a write then fails with EFBIG, which is reported
    // like any other failed save, instead of the signal ending the tool silently.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return vx::camtool::RunCamtool(arguments, std::cin, std::cout, std::cerr);
}
