#pragma once

#include <string>

namespace vx {

// The whole argument text of the program: the arguments after the program's own
// name, joined by single blanks, as one text (a name with blanks needs no quotes).
std::string CommandLineText(int argc, const char* const* argv);

// As the whole argument text: run the start-up without showing the window (its
// message boxes go to standard error, answered OK), print the path of the online
// manual that Help would open, and end. Used to check an installed copy.
inline constexpr const char* kPrintManualPathOption = "--print-manual-path";

// As the whole argument text: print "vistolarex VERSION" and end, without a display.
inline constexpr const char* kVersionOption = "--version";

}  // namespace vx
