// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "document/cam_document.h"
#include "formats/angle_patterns.h"
#include "support/cam_file_builder.h"
#include "support/process_runner.h"
#include "support/scratch_folder.h"

namespace vx::testing {

inline void WriteText(const std::string& path, const std::string& text) {
    WriteBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

using ToolRun = ProcessRun;

// Runs the built camtool executable.
inline ToolRun RunCamtoolProcess(const std::vector<std::string>& arguments,
                                 const std::string& input = {}, const std::string& folder = {}) {
    return RunProcess(CAMTOOL_PATH, arguments, input, folder);
}

}  // namespace vx::testing
