// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <memory>

#include "camtool/commands.h"
#include "camtool/demo_track.h"
#include "camtool/tool_files.h"

namespace vx::camtool {

int RunDemo(const CommandWords& words, std::istream&, std::ostream& out, std::ostream& err) {
    auto doc = std::make_unique<CamDocument>();
    BuildDemoTrack(*doc);
    return SaveOrReport(words.operands[0], *doc, out, err) ? kExitOk : kExitFailure;
}

}  // namespace vx::camtool
