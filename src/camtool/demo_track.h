// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include "document/cam_document.h"

namespace vx::camtool {

// A made-up track of about 4.8 km: fixed and moving cameras in both sets at
// ascending distances, and a pitlane camera, all within the editor's ranges.
void BuildDemoTrack(CamDocument& doc);

}  // namespace vx::camtool
