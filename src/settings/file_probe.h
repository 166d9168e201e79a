// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vx {

// The outcome of opening a file for reading, with the one distinction start-up
// cares about: a missing file versus a missing folder on the way to it.
struct ProbeResult {
    int errorNumber = 0;  // 0 on success, else errno
    bool pathNotFound = false;
    std::vector<std::uint8_t> bytes;  // only filled by ReadFileHead
};

// True when errorNumber, from opening path, came from its folder not existing
// (ENOTDIR, or ENOENT while the folder itself is missing) rather than the file.
bool IsPathNotFound(const std::string& path, int errorNumber);

// Opens path for reading and closes it at once; a directory counts as EISDIR.
ProbeResult ProbeReadable(const std::string& path);

// Reads at most limit bytes from the start of the file.
ProbeResult ReadFileHead(const std::string& path, std::size_t limit);

}  // namespace vx
