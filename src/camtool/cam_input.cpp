// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "camtool/cam_input.h"

#include "document/io_error.h"
#include "document/read_file_prefix.h"

namespace vx::camtool {

std::uint64_t TrailingBytes(std::optional<std::uint64_t> length, const CamDocument& doc) {
    if (!length || *length < doc.FileLength()) return 0;
    return *length - doc.FileLength();
}

bool ReadTextFile(const std::string& path, std::string& text, std::string& error) {
    // Two full sets take well under a megabyte of CSV; the limit keeps a wrong pick
    // (a device, a huge file) from being read whole.
    constexpr std::size_t kTextLimit = std::size_t{16} << 20;
    std::vector<std::uint8_t> bytes;
    if (const int code = ReadFilePrefix(path, kTextLimit + 1, bytes); code != 0) {
        error = LoadOutcomeForError(code) == LoadOutcome::FileNotFound
                    ? "file not found: " + path
                    : "cannot read " + path + ": " + SystemError(code).description;
        return false;
    }
    if (bytes.size() > kTextLimit) {
        error = "too large for a camera CSV file: " + path;
        return false;
    }
    text.assign(bytes.begin(), bytes.end());
    return true;
}

}  // namespace vx::camtool
