// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <memory>

#include "camtool/commands.h"
#include "camtool/option_values.h"
#include "camtool/tool_files.h"
#include "editing/camera_move.h"

namespace vx::camtool {

namespace {

// The move the words ask for, its range still unchecked against the set; false with
// the mistake otherwise.
bool ReadMove(const CommandWords& words, SetId& set, std::optional<CameraRange>& range,
              CameraMove& move, std::string& mistake) {
    std::optional<SetId> chosen;
    std::optional<double> by, scale;
    if (!SetOption(words, chosen, mistake) || !CamerasOption(words, range, mistake) ||
        !NumberOption(words, "--by", NumberBound::Any, by, mistake) ||
        !NumberOption(words, "--scale", NumberBound::AboveZero, scale, mistake)) {
        return false;
    }
    if (!chosen) {
        mistake = "--set tv1|tv2 is needed";
    } else if (by.has_value() == scale.has_value()) {
        mistake = "one of --by METRES and --scale FACTOR is needed";
    }
    if (!mistake.empty()) return false;
    set = *chosen;
    move.kind = by ? CameraMove::Kind::Shift : CameraMove::Kind::Scale;
    move.amount = by ? *by : *scale;
    move.keepSwitchPoints = words.Has("--keep-switch-points");
    return true;
}

}  // namespace

int RunMove(const CommandWords& words, std::istream& in, std::ostream& out, std::ostream& err) {
    SetId set = SetId::TV1;
    std::optional<CameraRange> range;
    CameraMove move;
    if (std::string mistake; !ReadMove(words, set, range, move, mistake)) {
        err << "camtool: move: " << mistake << "\n";
        return kExitUsage;
    }
    auto doc = std::make_unique<CamDocument>();
    if (!LoadOrReport(words.operands[0], in, *doc, err)) return kExitFailure;
    move.first = range ? range->first : 1;
    move.last = range ? range->last : doc->Set(set).Count();
    const MoveOutcome outcome = MoveCameras(*doc, set, move);
    if (!outcome.ok) {
        err << "camtool: " << outcome.refusal << "\n";
        return kExitFailure;
    }
    for (const std::string& clamp : outcome.clamps) err << "camtool: " << clamp << "\n";
    return SaveOrReport(words.operands[1], *doc, out, err) ? kExitOk : kExitFailure;
}

}  // namespace vx::camtool
