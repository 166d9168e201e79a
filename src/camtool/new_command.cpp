// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <memory>

#include "camtool/commands.h"
#include "camtool/tool_files.h"
#include "settings/settings.h"

namespace vx::camtool {

int RunNew(const CommandWords& words, std::istream&, std::ostream& out, std::ostream& err) {
    auto doc = std::make_unique<CamDocument>();
    NewDocument(*doc);
    ApplyNewCameraDefaults(*doc, FactoryCameraDefaults());
    return SaveOrReport(words.operands[0], *doc, out, err) ? kExitOk : kExitFailure;
}

}  // namespace vx::camtool
