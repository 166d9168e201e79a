// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

namespace vx::camtool {

// The --help texts of the subcommands, each beginning with its usage line.
std::string InfoHelp();
std::string CopyHelp();
std::string NewHelp();
std::string DemoHelp();
std::string DumpHelp();
std::string ImportHelp();
std::string CheckHelp();
std::string DiffHelp();
std::string CoverageHelp();
std::string MoveHelp();

}  // namespace vx::camtool
