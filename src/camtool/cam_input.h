// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "document/cam_document.h"

namespace vx::camtool {

// How many bytes a file of the given length holds after the document's pitlane
// record; 0 when its length is unknown (a pipe, say).
std::uint64_t TrailingBytes(std::optional<std::uint64_t> length, const CamDocument& doc);

// The whole content of a text file; false with a one-line reason otherwise.
bool ReadTextFile(const std::string& path, std::string& text, std::string& error);

}  // namespace vx::camtool
