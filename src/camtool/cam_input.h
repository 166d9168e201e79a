#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "document/cam_document.h"

namespace vx {

// A camera file as the tool's subcommands read it.
struct CamInput {
    std::unique_ptr<CamDocument> doc;  // null when the file could not be read
    std::uint64_t trailingBytes = 0;   // bytes after the pitlane record
    std::string error;                 // one line: "file not found", "truncated: ..."
};

CamInput LoadCamInput(const std::string& path);

// The whole content of a text file, or an error line.
bool ReadTextFile(const std::string& path, std::string& text, std::string& error);

}  // namespace vx
