// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

#include "document/cam_document.h"

namespace vx::testing {

// Spelled out here rather than taken from the code under test, so that a wrong
// conversion there cannot agree with itself.
inline float Radians(double degrees) {
    return static_cast<float>(degrees * 3.14159265358979 / 180.0);
}
// The stored pattern of an angle entered in degrees.
inline std::uint32_t Degrees(double degrees) { return FloatBits(Radians(degrees)); }

}  // namespace vx::testing
