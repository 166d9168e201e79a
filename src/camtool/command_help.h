#pragma once

#include <string>
#include <vector>

namespace vx::camtool {

// The --help texts of dump, import, check and diff.
std::string DumpHelp();
std::string ImportHelp();
std::string CheckHelp();
std::string DiffHelp();

// Whether the operands ask for a subcommand's help.
bool AsksForHelp(const std::vector<std::string>& operands);

}  // namespace vx::camtool
