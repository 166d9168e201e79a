// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vx {

// What ReadFilePrefix answers for a FIFO, socket or device (a folder is EISDIR):
// nothing that may never deliver its data is read. Not an errno value.
inline constexpr int kNotARegularFile = -1;

// Where and when a file was last seen: enough to notice that another program has
// replaced or rewritten it since.
struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;

    bool operator==(const FileStamp&) const = default;
};

// Reads at most limit bytes from the start of a regular file into bytes; returns 0,
// kNotARegularFile or an errno value, and on success the stamp of the file read.
// The limit keeps a mistaken pick (a huge file) from being read whole; only what
// the file holds is allocated.
int ReadFilePrefix(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& bytes,
                   FileStamp* stamp = nullptr);

// The stamp of the file a path leads to now (links followed); exists false when none.
FileStamp StampOfPath(const std::string& path);

}  // namespace vx
