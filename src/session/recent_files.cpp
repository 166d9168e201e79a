// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "session/recent_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "document/seen_file.h"

namespace vx {

namespace {

constexpr const char* kFileName = "recent-files";

bool IsFile(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

}  // namespace

RecentFiles::RecentFiles(StateFolder folder) : folder_(std::move(folder)) {}

std::vector<std::string> RecentFiles::Stored() const {
    std::vector<std::string> files;
    for (const auto& record : SplitStateRecords(folder_.ReadText(kFileName))) {
        if (record.size() == 1 && files.size() < kLimit) files.push_back(record[0]);
    }
    return files;
}

void RecentFiles::Store(const std::vector<std::string>& files) const {
    std::vector<std::vector<std::string>> records;
    for (const auto& file : files) records.push_back({file});
    // A list that cannot be kept is no reason to bother the user.
    (void)folder_.WriteText(kFileName, JoinStateRecords(records));
}

std::vector<std::string> RecentFiles::Files() const {
    const std::vector<std::string> stored = Stored();
    std::vector<std::string> existing;
    std::copy_if(stored.begin(), stored.end(), std::back_inserter(existing), IsFile);
    if (existing != stored) Store(existing);
    return existing;
}

void RecentFiles::Add(const std::string& file) const {
    std::string path = CanonicalPath(file);
    if (path.empty()) return;
    std::vector<std::string> files = Stored();
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
    files.insert(files.begin(), path);
    if (files.size() > kLimit) files.resize(kLimit);
    Store(files);
}

}  // namespace vx
