// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "document/cam_document.h"

namespace vx::camtool {

// As a file operand: standard input where a command reads, standard output where it writes.
inline constexpr const char* kStandardStream = "-";

// Loads path, or in for "-", into doc; on failure writes one line naming the outcome
// to err. length receives the file's length where it is known (not for a pipe).
bool LoadOrReport(const std::string& path, std::istream& in, CamDocument& doc, std::ostream& err,
                  std::optional<std::uint64_t>* length = nullptr);

// Saves doc to path, or writes its bytes to out for "-"; on failure writes one line
// naming the cause to err.
bool SaveOrReport(const std::string& path, CamDocument& doc, std::ostream& out, std::ostream& err);

// Reads in to its end; false when it failed or held more than limit bytes.
bool ReadStream(std::istream& in, std::size_t limit, std::string& bytes);

// Far beyond the largest track-camera file or its CSV, yet a stream that never ends
// is refused.
inline constexpr std::size_t kStreamLimit = std::size_t{16} << 20;

}  // namespace vx::camtool
