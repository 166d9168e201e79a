// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <memory>
#include <optional>

#include "camtool/cam_input.h"
#include "camtool/commands.h"
#include "camtool/tool_files.h"
#include "formats/cam_check.h"

namespace vx::camtool {

int RunCheck(const std::vector<std::string>& operands, std::istream& in, std::ostream& out,
             std::ostream& err) {
    auto doc = std::make_unique<CamDocument>();
    std::optional<std::uint64_t> length;
    if (!LoadOrReport(operands[0], in, *doc, err, &length)) return kExitUnreadable;
    const std::vector<std::string> findings = CheckCamDocument(*doc, TrailingBytes(length, *doc));
    for (const std::string& finding : findings) out << finding << "\n";
    return findings.empty() ? kExitOk : kExitFailure;
}

}  // namespace vx::camtool
