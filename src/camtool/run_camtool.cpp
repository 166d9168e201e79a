// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "camtool/run_camtool.h"

#include <algorithm>

#include "camtool/commands.h"
#include "vx_version.h"

namespace vx::camtool {

namespace {

const std::string kIndent(16, ' ');

void PrintUsage(std::ostream& stream) {
    stream << "usage: camtool COMMAND ARGUMENTS\n";
    for (const Command& command : Commands()) {
        // A long call gets its summary on the next line, under the others'.
        const std::string call = std::string(command.name) + " " + command.operands;
        stream << "  " << call
               << (call.size() < 14 ? std::string(14 - call.size(), ' ') : "\n" + kIndent)
               << command.summary << "\n";
    }
    stream << "  --help        show this text (COMMAND --help: that command's)\n"
           << "  --version     show the version\n";
}

bool IsHelp(const std::string& word) { return word == "--help" || word == "-h"; }

}  // namespace

int RunCamtool(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
               std::ostream& err) {
    if (arguments.empty()) {
        PrintUsage(err);
        return kExitUsage;
    }
    const std::string& name = arguments.front();
    if (IsHelp(name) || name == "help") {
        PrintUsage(out);
        return kExitOk;
    }
    if (name == "--version") {
        out << "camtool " << kVersion << "\n";
        return kExitOk;
    }
    const auto& commands = Commands();
    const auto command = std::find_if(commands.begin(), commands.end(),
                                      [&name](const Command& c) { return name == c.name; });
    if (command == commands.end()) {
        err << "camtool: unknown command: " << name << "\n";
        PrintUsage(err);
        return kExitUsage;
    }
    const std::vector<std::string> operands(arguments.begin() + 1, arguments.end());
    if (std::any_of(operands.begin(), operands.end(), IsHelp)) {
        out << command->help();
        return kExitOk;
    }
    // Checked here, before any command runs, so that a mistyped call writes nothing
    // (not even a file named after an option).
    CommandWords words;
    std::string mistake;
    if (!SplitCommandWords(*command, operands, words, mistake)) {
        err << mistake << "\n";
        return kExitUsage;
    }
    return command->run(words, in, out, err);
}

}  // namespace vx::camtool
