// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <vector>

#include "document/cam_document.h"

namespace vx {

// Moves a range of cameras along the track at once, as after a track's start line
// moved or its length changed.
struct CameraMove {
    int first = 1;  // camera numbers, both included
    int last = 1;
    enum class Kind { Shift, Scale } kind = Kind::Shift;
    double amount = 0;  // metres for a shift, the factor for a scale
    // True: the switch points stay where they are on the track, field 3 changes by
    // minus each camera's own move. False: they move with their cameras.
    bool keepSwitchPoints = false;
};

struct MoveOutcome {
    bool ok = false;
    std::string refusal;              // when refused; nothing was changed then
    std::vector<std::string> clamps;  // change-over points held at +-10000 m
};

// New positions are computed in double from the stored singles and stored as singles.
// Refused as a whole, naming the first camera at fault, when a new position leaves 0 to
// 50000 m or is not finite, or when two neighbours that were in order would not be.
// On success DataSaved := false.
MoveOutcome MoveCameras(CamDocument& doc, SetId set, const CameraMove& move);

}  // namespace vx
