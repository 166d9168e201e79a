#include <memory>

#include "camtool/cam_input.h"
#include "camtool/command_help.h"
#include "camtool/commands.h"
#include "camtool/tool_files.h"
#include "formats/cam_check.h"

namespace vx::camtool {

int RunCheck(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err) {
    if (AsksForHelp(operands)) {
        out << CheckHelp();
        return kExitOk;
    }
    if (operands.size() != 1) {
        err << "camtool: usage: camtool check FILE\n";
        return kExitUsage;
    }
    auto doc = std::make_unique<CamDocument>();
    if (!LoadOrReport(operands[0], *doc, err)) return kExitUnreadable;
    const std::vector<std::string> findings =
        CheckCamDocument(*doc, TrailingBytes(operands[0], *doc));
    for (const std::string& finding : findings) out << finding << "\n";
    return findings.empty() ? kExitOk : kExitFailure;
}

}  // namespace vx::camtool
