#pragma once

#include <string>

namespace vx {

// The whole argument text of the program: the arguments after the program's own
// name, joined by single blanks, as one text (a name with blanks needs no quotes).
std::string CommandLineText(int argc, const char* const* argv);

}  // namespace vx
