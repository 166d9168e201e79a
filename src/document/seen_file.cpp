// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "document/seen_file.h"

#include <filesystem>
#include <system_error>

namespace vx {

std::string CanonicalPath(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) return {};
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    // A folder that cannot be searched leaves the spelling as the only clue.
    if (error) resolved = std::filesystem::absolute(path, error).lexically_normal();
    return error ? std::string() : resolved.string();
}

SeenFile SeeFile(const std::string& path, const FileStamp& stamp) {
    return {CanonicalPath(path), stamp};
}

bool ChangedOnDisk(const SeenFile& seen, const std::string& path) {
    if (seen.canonicalPath.empty() || CanonicalPath(path) != seen.canonicalPath) return false;
    return StampOfPath(path) != seen.stamp;
}

}  // namespace vx
