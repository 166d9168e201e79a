// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "app/command_line.h"

#include <string_view>

namespace vx {

namespace {

std::string Joined(int first, int argc, const char* const* argv) {
    std::string text;
    for (int i = first; i < argc; ++i) {
        if (i > first) text += ' ';
        text += argv[i];
    }
    return text;
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    using Action = CommandLine::Action;
    if (argc < 2) return {};
    const std::string_view first = argv[1];
    if (first == "--") return {Action::Run, Joined(2, argc, argv)};
    if (first == "--help" || first == "-h") return {Action::Help, {}};
    if (first == "--version") return {Action::Version, {}};
    if (first == kPrintManualPathOption && argc == 2) return {Action::PrintManualPath, {}};
    // A lone "-" is a name; "-x" is far more likely a mistyped option than a file.
    if (first.size() > 1 && first[0] == '-') return {Action::Unknown, std::string(first)};
    return {Action::Run, Joined(1, argc, argv)};
}

std::string UsageText() {
    return "Usage: vistolarex [FILE]\n"
           "       vistolarex -- FILE\n"
           "Edits the track-camera file FILE (a .cam file) of GPL, or an empty one.\n"
           "A name that starts with a dash follows \"--\".\n"
           "\n"
           "  -h, --help             show this text and end\n"
           "      --version          show the version and end\n"
           "      --print-manual-path\n"
           "                         start without a window, print the path of the\n"
           "                         manual that Help opens, and end\n"
           "\n"
           "The standard Qt options (-platform, -style, ...) are taken as well.\n";
}

bool DisplayNamed(int argc, const char* const* argv, const char* (*env)(const char*)) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = env(name);
        if (value != nullptr && *value != '\0') return true;
    }
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") break;
        if (arg == "-platform" || arg == "--platform") return i + 1 < argc;
        if (arg.starts_with("-platform=") || arg.starts_with("--platform=")) return true;
    }
    return false;
}

}  // namespace vx
