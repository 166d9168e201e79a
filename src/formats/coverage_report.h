// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <vector>

#include "editing/coverage.h"

namespace vx {

// The coverage of one or both sets, one row per camera: number, position, switch
// point, live from, live to, length and findings (joined by "; "). Metres in the C
// locale with at most three decimals; a camera left out of the stretches has empty
// cells (JSON: null) for its switch point and stretch.

// CSV with the header "set,camera,position,switch_point,live_from,live_to,length,findings".
std::string CoverageCsv(const std::vector<SetCoverage>& sets);
// An array of objects with the keys of the CSV header.
std::string CoverageJson(const std::vector<SetCoverage>& sets);
// A table to read, each set under a line with its lap length.
std::string CoverageTextTable(const std::vector<SetCoverage>& sets);

// A camera's findings as one text, "; " between them.
std::string JoinedFindings(const CameraCoverage& camera);

// The coverage findings that the file check does not make itself, one line each,
// "TV1 camera 3: never live: ...".
std::vector<std::string> CoverageCheckFindings(const std::vector<SetCoverage>& sets);

}  // namespace vx
