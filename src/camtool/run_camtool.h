#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vx::camtool {

// Runs the tool on its arguments (without the program name); returns the exit status.
int RunCamtool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace vx::camtool
