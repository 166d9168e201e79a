// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>

#include "camtool/commands.h"
#include "document/cam_document.h"

namespace vx::camtool {

// The values of options, read in the C locale. Each returns false with the line to
// show after "camtool: COMMAND: " in `mistake` when the option was given with a value it does not
// take; an option not given leaves its result empty.

enum class NumberBound { Any, AboveZero, NotBelowZero };
bool NumberOption(const CommandWords& words, const std::string& option, NumberBound bound,
                  std::optional<double>& value, std::string& mistake);

// --set tv1 or tv2, in either case.
bool SetOption(const CommandWords& words, std::optional<SetId>& set, std::string& mistake);

// --cameras FROM-TO, or a single camera number.
struct CameraRange {
    int first = 0;
    int last = 0;
};
bool CamerasOption(const CommandWords& words, std::optional<CameraRange>& range,
                   std::string& mistake);

}  // namespace vx::camtool
