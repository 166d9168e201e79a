// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

namespace vx {

// The online manual: beside the program when it lies there (the build tree), else
// in the share folder of an installed copy, programFolder + "/../share/vistolarex".
std::string FindManual(const std::string& programFolder);

}  // namespace vx
