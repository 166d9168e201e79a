#pragma once

#include <ostream>
#include <string>

#include "document/cam_document.h"

namespace vx::camtool {

// Loads path into doc; on failure writes one line naming the outcome to err.
bool LoadOrReport(const std::string& path, CamDocument& doc, std::ostream& err);

// Saves doc to path; on failure writes one line naming the cause to err.
bool SaveOrReport(const std::string& path, CamDocument& doc, std::ostream& err);

}  // namespace vx::camtool
