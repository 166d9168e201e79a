// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <memory>
#include <optional>

#include "camtool/cam_input.h"
#include "camtool/commands.h"
#include "camtool/tool_files.h"
#include "formats/cam_diff.h"

namespace vx::camtool {

int RunDiff(const CommandWords& words, std::istream& in, std::ostream& out, std::ostream& err) {
    if (words.operands[0] == kStandardStream && words.operands[1] == kStandardStream) {
        err << "camtool: diff: standard input can be only one of A and B\n";
        return kExitUsage;
    }
    auto a = std::make_unique<CamDocument>();
    auto b = std::make_unique<CamDocument>();
    std::optional<std::uint64_t> lengthA;
    std::optional<std::uint64_t> lengthB;
    if (!LoadOrReport(words.operands[0], in, *a, err, &lengthA) ||
        !LoadOrReport(words.operands[1], in, *b, err, &lengthB)) {
        return kExitUnreadable;
    }
    const std::vector<std::string> lines =
        DiffCamDocuments({*a, TrailingBytes(lengthA, *a)}, {*b, TrailingBytes(lengthB, *b)});
    for (const std::string& line : lines) out << line << "\n";
    return lines.empty() ? kExitOk : kExitFailure;
}

}  // namespace vx::camtool
