#pragma once

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

// An operand count meaning that the command checks its own operands (options, --help).
inline constexpr std::size_t kOwnOperands = static_cast<std::size_t>(-1);

using CommandFunction = int (*)(const std::vector<std::string>& operands, std::ostream& out,
                                std::ostream& err);

// One subcommand: a new one is a file with its function and a line in Commands().
struct Command {
    const char* name;
    const char* operands;  // as shown in the usage, e.g. "IN OUT"
    std::size_t operandCount;
    const char* summary;
    CommandFunction run;
};

const std::vector<Command>& Commands();

int RunInfo(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err);
int RunCopy(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err);
int RunNew(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err);
int RunDemo(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err);
int RunDump(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err);
int RunImport(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err);
int RunCheck(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err);
int RunDiff(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err);

}  // namespace vx::camtool
