// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <vector>

#include "document/cam_document.h"

namespace vx {

// Which camera of a set is live along the lap. The game cuts to camera k at its switch
// point s(k) = position + change-over point and keeps it until the car reaches the
// switch point of the next camera in the set's order; the last camera stays live
// across the start/finish line up to L + s(1).

// How far a camera may stand outside its own live stretch before it is reported.
inline constexpr double kDefaultFarLimit = 1000.0;

// The lap length a coverage is measured against: the user's, or the estimate.
struct LapLength {
    double metres = 0;
    bool estimated = false;
};

// Where the game changes to a camera at `position` with change-over point `changeOver`.
double SwitchPoint(float position, float changeOver);

// 100 x (floor(m / 100) + 1) for the largest finite position or switch point m of
// both sets, at least 100.
LapLength EstimatedLapLength(const CamDocument& doc);

enum class FindingKind { NotFinite, OutOfOrder, NeverLive, BeyondLap, FarFromStretch };

struct CoverageFinding {
    FindingKind kind;
    std::string text;  // names the cameras and metres, without the camera itself
};

struct CameraCoverage {
    int number = 0;
    float position = 0;
    double switchPoint = 0;
    // False for a camera with a non-finite position or change-over point: it has no
    // stretch and takes no part in the others'.
    bool counted = false;
    double liveFrom = 0;
    double liveTo = 0;
    std::vector<CoverageFinding> findings;

    double Length() const { return liveTo - liveFrom; }
    bool Live() const { return counted && Length() > 0; }
};

struct SetCoverage {
    SetId set = SetId::TV1;
    LapLength lap;
    std::vector<CameraCoverage> cameras;  // camera 1 first
};

SetCoverage CoverageOf(const CamDocument& doc, SetId set, LapLength lap,
                       double farLimit = kDefaultFarLimit);

// Metres in the C locale with at most three decimals ("350", "12.5", "-0.125"), or
// "nan", "inf", "-inf".
std::string MetresText(double metres);

}  // namespace vx
