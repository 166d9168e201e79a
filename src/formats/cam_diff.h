// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/cam_document.h"

namespace vx {

struct DiffSide {
    const CamDocument& doc;
    std::uint64_t trailingBytes = 0;
};

// Every difference between two camera files, one line each: header and count bytes,
// each differing field of the cameras both sets share, by set, camera number and
// field label with both quantities and hex patterns, the cameras only in A or only
// in B, and a differing number of bytes after the pitlane record. Empty when equal.
std::vector<std::string> DiffCamDocuments(const DiffSide& a, const DiffSide& b);

}  // namespace vx
