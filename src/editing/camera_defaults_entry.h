// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "document/cam_document.h"

namespace vx {

// The new-camera defaults as the options dialog shows and takes them, without a window.
inline constexpr int kDefaultValueCount = 12;
inline constexpr int kPlacementValue = TvField::Distance;  // -1.0 = in the middle, else metres
inline constexpr int kFixedFlagValue = TvField::Mode;      // integer flag, edited by a check box
inline constexpr int kFirstAngleValue = TvField::Yaw;
inline constexpr const char* kDefaultDistanceText = "200";
inline constexpr float kDefaultDistance = 200.0f;

struct DefaultValueRange {
    double low;
    double high;
    bool degrees;  // entered in degrees, stored in radians
};

// The accepted range of value k, bounds included; nullopt for the flag, which has no field.
std::optional<DefaultValueRange> DefaultValueRangeOf(int k);

// What field k shows when the dialog loads: whole degrees for the angles, three
// decimals otherwise.
std::string DefaultValueLoadText(const CameraDefaults& defaults, int k);

// What field k shows after a refused entry: angles as at loading, the others as the
// plain number.
std::string DefaultValueRestoreText(const CameraDefaults& defaults, int k);

// Converts, range-checks and stores the text typed into field k. A refused text
// (no number, too large for a single, out of range) leaves the cell exactly as it
// was and gives false; the caller beeps and shows DefaultValueRestoreText.
bool EnterDefaultValue(CameraDefaults& defaults, int k, const std::string& text);

bool IsMiddlePlacement(const CameraDefaults& defaults);
// "In the middle": the cell becomes -1.0.
void ChooseMiddlePlacement(CameraDefaults& defaults);
// "Place new camera ... before/behind": keeps a distance already set, else sets 200.
// Returns the text the distance field shows.
std::string ChooseDistancePlacement(CameraDefaults& defaults);
}  // namespace vx
