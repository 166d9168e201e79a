#include <memory>

#include "camtool/cam_input.h"
#include "camtool/command_help.h"
#include "camtool/commands.h"
#include "camtool/tool_files.h"
#include "formats/cam_diff.h"

namespace vx::camtool {

int RunDiff(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err) {
    if (AsksForHelp(operands)) {
        out << DiffHelp();
        return kExitOk;
    }
    if (operands.size() != 2) {
        err << "camtool: usage: camtool diff A B\n";
        return kExitUsage;
    }
    auto a = std::make_unique<CamDocument>();
    auto b = std::make_unique<CamDocument>();
    if (!LoadOrReport(operands[0], *a, err) || !LoadOrReport(operands[1], *b, err)) {
        return kExitUnreadable;
    }
    const std::vector<std::string> lines = DiffCamDocuments({*a, TrailingBytes(operands[0], *a)},
                                                            {*b, TrailingBytes(operands[1], *b)});
    for (const std::string& line : lines) out << line << "\n";
    return lines.empty() ? kExitOk : kExitFailure;
}

}  // namespace vx::camtool
