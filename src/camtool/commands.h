// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vx::camtool {

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
// check and diff answer 1 for findings, so unreadable input needs a code of its own.
inline constexpr int kExitUnreadable = 2;

// A command's words sorted out: operands in their order, options without a value
// (flags) and options with one. The dispatcher has checked them before a command runs:
// no --help among them, every option one the command takes, given once, each value
// option followed by its value, and operandCount operands.
struct CommandWords {
    std::vector<std::string> operands;
    std::vector<std::string> flags;
    std::map<std::string, std::string> values;

    bool Has(const std::string& flag) const;
    std::optional<std::string> Value(const std::string& option) const;
};

using CommandFunction = int (*)(const CommandWords& words, std::istream& in, std::ostream& out,
                                std::ostream& err);

// One subcommand: a new one is a file with its function and a line in Commands().
struct Command {
    const char* name;
    const char* operands;  // as shown in the usage, e.g. "IN OUT"
    std::size_t operandCount;
    std::vector<std::string> options;       // flags
    std::vector<std::string> valueOptions;  // options followed by a value, e.g. --lap 5000
    const char* summary;
    std::string (*help)();  // the text of --help, beginning with the usage line
    CommandFunction run;
};

const std::vector<Command>& Commands();

// Sorts the words after the command's name; on a mistake, false with the line to show.
bool SplitCommandWords(const Command& command, const std::vector<std::string>& words,
                       CommandWords& split, std::string& mistake);

int RunInfo(const CommandWords& words, std::istream& in, std::ostream& out, std::ostream& err);
int RunCopy(const CommandWords& words, std::istream& in, std::ostream& out, std::ostream& err);
int RunNew(const CommandWords& words, std::istream& in, std::ostream& out, std::ostream& err);
int RunDemo(const CommandWords& words, std::istream& in, std::ostream& out, std::ostream& err);
int RunDump(const CommandWords& words, std::istream& in, std::ostream& out, std::ostream& err);
int RunImport(const CommandWords& words, std::istream& in, std::ostream& out, std::ostream& err);
int RunCheck(const CommandWords& words, std::istream& in, std::ostream& out, std::ostream& err);
int RunDiff(const CommandWords& words, std::istream& in, std::ostream& out, std::ostream& err);
int RunCoverage(const CommandWords& words, std::istream& in, std::ostream& out, std::ostream& err);
int RunMove(const CommandWords& words, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace vx::camtool
