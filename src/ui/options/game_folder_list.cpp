// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/options/game_folder_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace vx {

namespace fs = std::filesystem;

std::string NormalFolderPath(const std::string& folder) {
    if (folder.empty()) return {};
    std::error_code error;
    fs::path path = fs::absolute(fs::path(folder), error);
    if (error) return {};
    path = path.lexically_normal();
    std::string text = path.string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    if (!fs::is_directory(fs::path(text), error)) return {};
    return text;
}

std::vector<FolderListEntry> FolderListEntries(const std::string& openFolder) {
    std::vector<FolderListEntry> entries;
    const std::string folder = NormalFolderPath(openFolder);
    if (folder.empty()) return entries;

    std::vector<fs::path> chain;
    for (fs::path step(folder);; step = step.parent_path()) {
        chain.push_back(step);
        if (step == step.root_path() || step.parent_path() == step) break;
    }
    std::reverse(chain.begin(), chain.end());
    int depth = 0;
    for (const fs::path& step : chain) {
        const std::string name = step.has_filename() ? step.filename().string() : step.string();
        entries.push_back({step.string(), name, depth++, false, true});
    }
    entries.back().isOpen = true;

    std::vector<FolderListEntry> children;
    std::error_code error;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code kindError;
        if (!it->is_directory(kindError)) continue;
        const fs::path& child = it->path();
        children.push_back({child.string(), child.filename().string(), depth, false, false});
    }
    std::sort(children.begin(), children.end(),
              [](const FolderListEntry& a, const FolderListEntry& b) { return a.name < b.name; });
    entries.insert(entries.end(), children.begin(), children.end());
    return entries;
}

}  // namespace vx
