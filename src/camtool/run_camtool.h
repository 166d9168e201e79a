// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace vx::camtool {

// Runs the tool on its arguments (without the program name); returns the exit status.
// in is read only where an operand is "-".
int RunCamtool(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
               std::ostream& err);

}  // namespace vx::camtool
