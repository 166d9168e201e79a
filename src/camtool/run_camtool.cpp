#include "camtool/run_camtool.h"

#include <algorithm>

#include "camtool/commands.h"

namespace vx::camtool {

namespace {

void PrintUsage(std::ostream& stream) {
    stream << "usage: camtool COMMAND ARGUMENTS\n";
    for (const Command& command : Commands()) {
        const std::string call = std::string(command.name) + " " + command.operands;
        stream << "  " << call << std::string(call.size() < 14 ? 14 - call.size() : 1, ' ')
               << command.summary << "\n";
    }
    stream << "  --help        show this text\n";
}

}  // namespace

int RunCamtool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) {
        PrintUsage(err);
        return kExitUsage;
    }
    const std::string& name = arguments.front();
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(out);
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
    if (command->operandCount != kOwnOperands && operands.size() != command->operandCount) {
        err << "camtool: usage: camtool " << command->name << " " << command->operands << "\n";
        return kExitUsage;
    }
    return command->run(operands, out, err);
}

}  // namespace vx::camtool
