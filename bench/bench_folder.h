// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

namespace vx::bench {

// A private folder for the file benchmarks, created on first use and removed
// when the program ends.
const std::string& BenchFolder();

}  // namespace vx::bench
