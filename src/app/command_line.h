// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

namespace vx {

// As the whole argument text: run the start-up without showing the window (its
// message boxes go to standard error, answered OK), print the path of the online
// manual that Help would open, and end. Used to check an installed copy.
inline constexpr const char* kPrintManualPathOption = "--print-manual-path";

// What the arguments after the program's name ask for. A plain argument text is
// the file to load; an option only counts as the first argument, and "--" makes
// the rest a file name even when it starts with a dash.
struct CommandLine {
    enum class Action { Run, Help, Version, PrintManualPath, Unknown };
    Action action = Action::Run;
    // Run: the name to load, the arguments joined by single blanks (so a name with
    // blanks needs no quotes), empty for none. Unknown: the option not understood.
    std::string text;
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

// The text --help prints.
std::string UsageText();

inline constexpr const char* kNoDisplayText =
    "vistolarex: no graphical display found (DISPLAY/WAYLAND_DISPLAY are not set); use camtool "
    "for work without a display.";

// True when the environment names a display (DISPLAY, WAYLAND_DISPLAY) or Qt is told
// which platform to use (QT_QPA_PLATFORM, -platform): without either Qt would abort.
bool DisplayNamed(int argc, const char* const* argv, const char* (*env)(const char*));

}  // namespace vx
