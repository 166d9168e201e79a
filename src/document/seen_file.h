// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "document/read_file_prefix.h"

namespace vx {

// A file as this program last read or wrote it. Which file it is goes by the path
// with every symbolic link resolved, so that two spellings of one file (a linked
// folder, "..", a relative name) are the same file; the stamp then tells whether
// another program has changed or replaced it since.
struct SeenFile {
    std::string canonicalPath;  // empty: nothing seen
    FileStamp stamp;
};

// The absolute path with links, "." and ".." resolved; a missing tail is kept as spelled.
std::string CanonicalPath(const std::string& path);

SeenFile SeeFile(const std::string& path, const FileStamp& stamp);

// True when path leads to the file seen and that file is no longer as it was seen:
// rewritten, replaced or removed.
bool ChangedOnDisk(const SeenFile& seen, const std::string& path);

}  // namespace vx
