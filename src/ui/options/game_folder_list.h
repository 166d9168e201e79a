// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <vector>

namespace vx {

// One line of the chooser's folder list: the open folder's ancestors from the root
// down, the open folder itself, then its subfolders one level deeper.
struct FolderListEntry {
    std::string path;
    std::string name;
    int depth = 0;
    bool isOpen = false;      // the folder now open
    bool isAncestor = false;  // the open folder or one above it
};

// The absolute, cleaned form of a folder path ("/" for the root, no trailing "/"
// elsewhere); empty when it names no folder.
std::string NormalFolderPath(const std::string& folder);

// The list for the open folder; subfolders sorted by name, hidden ones included (a
// game installed under a compatibility layer lives below a hidden folder). A folder
// that cannot be listed shows no subfolders.
std::vector<FolderListEntry> FolderListEntries(const std::string& openFolder);

}  // namespace vx
