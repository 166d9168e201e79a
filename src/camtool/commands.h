// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <istream>
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

// The dispatcher has checked the words before a command runs: no --help among them,
// every option one the command takes, and operandCount words besides the options.
using CommandFunction = int (*)(const std::vector<std::string>& operands, std::istream& in,
                                std::ostream& out, std::ostream& err);

// One subcommand: a new one is a file with its function and a line in Commands().
struct Command {
    const char* name;
    const char* operands;  // as shown in the usage, e.g. "IN OUT"
    std::size_t operandCount;
    std::vector<std::string> options;
    const char* summary;
    std::string (*help)();  // the text of --help, beginning with the usage line
    CommandFunction run;
};

const std::vector<Command>& Commands();

int RunInfo(const std::vector<std::string>& operands, std::istream& in, std::ostream& out,
            std::ostream& err);
int RunCopy(const std::vector<std::string>& operands, std::istream& in, std::ostream& out,
            std::ostream& err);
int RunNew(const std::vector<std::string>& operands, std::istream& in, std::ostream& out,
           std::ostream& err);
int RunDemo(const std::vector<std::string>& operands, std::istream& in, std::ostream& out,
            std::ostream& err);
int RunDump(const std::vector<std::string>& operands, std::istream& in, std::ostream& out,
            std::ostream& err);
int RunImport(const std::vector<std::string>& operands, std::istream& in, std::ostream& out,
              std::ostream& err);
int RunCheck(const std::vector<std::string>& operands, std::istream& in, std::ostream& out,
             std::ostream& err);
int RunDiff(const std::vector<std::string>& operands, std::istream& in, std::ostream& out,
            std::ostream& err);

}  // namespace vx::camtool
