#pragma once

#include <cstdint>
#include <string>

#include "document/cam_document.h"

namespace vx::camtool {

// How many bytes the file at path holds after the document's pitlane record; 0 when
// its length cannot be found (a pipe, say).
std::uint64_t TrailingBytes(const std::string& path, const CamDocument& doc);

// The whole content of a text file; false with a one-line reason otherwise.
bool ReadTextFile(const std::string& path, std::string& text, std::string& error);

}  // namespace vx::camtool
