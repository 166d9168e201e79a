// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/cam_document.h"

namespace vx {

// What a track maker should look at in a camera file, one line per finding, each
// naming the set, camera and field label where there is one: a size field that does
// not match the counts, a set without cameras, a camera placed before the camera in
// front of it, a value outside the editor's entry range, a non-finite value, a mode
// flag other than 0 or 1, bytes after the pitlane record. Empty when clean.
std::vector<std::string> CheckCamDocument(const CamDocument& doc, std::uint64_t trailingBytes);

}  // namespace vx
