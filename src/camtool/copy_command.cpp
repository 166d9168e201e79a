// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <memory>

#include "camtool/commands.h"
#include "camtool/tool_files.h"

namespace vx::camtool {

int RunCopy(const std::vector<std::string>& operands, std::istream& in, std::ostream& out,
            std::ostream& err) {
    auto doc = std::make_unique<CamDocument>();
    if (!LoadOrReport(operands[0], in, *doc, err)) return kExitFailure;
    return SaveOrReport(operands[1], *doc, out, err) ? kExitOk : kExitFailure;
}

}  // namespace vx::camtool
