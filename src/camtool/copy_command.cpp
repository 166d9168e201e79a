// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <memory>

#include "camtool/commands.h"
#include "camtool/tool_files.h"

namespace vx::camtool {

int RunCopy(const CommandWords& words, std::istream& in, std::ostream& out, std::ostream& err) {
    auto doc = std::make_unique<CamDocument>();
    if (!LoadOrReport(words.operands[0], in, *doc, err)) return kExitFailure;
    return SaveOrReport(words.operands[1], *doc, out, err) ? kExitOk : kExitFailure;
}

}  // namespace vx::camtool
