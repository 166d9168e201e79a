// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

#include "document/cam_document.h"

namespace vx::testing {

// A moving camera with a few distinctive fields, for what the clipboard carries.
inline TvCamera SampleCamera(float distance, std::uint32_t field13 = 0) {
    TvCamera camera;
    camera.SetFloat(TvField::Distance, distance);
    camera.SetFloat(2, 12.5f);
    camera.SetInt(TvField::Mode, 1);
    camera.SetFloat(11, 0.75f);
    camera.SetRaw(13, field13);
    return camera;
}

}  // namespace vx::testing
