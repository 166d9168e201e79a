// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/editor/manual_path.h"

#include <filesystem>
#include <system_error>

#include "ui/editor/editor_texts.h"

namespace vx {

std::string FindManual(const std::string& programFolder) {
    const std::string beside = programFolder + "/" + kManualFileName;
    std::error_code ignored;
    if (std::filesystem::is_regular_file(beside, ignored)) return beside;
    return programFolder + "/../share/vistolarex/" + kManualFileName;
}

}  // namespace vx
