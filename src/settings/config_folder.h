#pragma once

#include <string>

namespace vx {

// True when folder exists and the program may create files in it. Root passes
// every permission check, so a folder whose owner write bit is clear also counts
// as not writable: an installed copy made read-only (chmod 0555) keeps its files
// out of it even for root. access(W_OK) covers other users and read-only mounts.
bool FolderIsWritable(const std::string& folder);

// The folder that holds Vistolarex.cfg: the program's own folder while it is
// writable, else fallbackFolder (the user's configuration folder). An empty
// fallback keeps the program's folder. Decided once at start-up.
std::string ChooseConfigFolder(const std::string& programFolder, const std::string& fallbackFolder);

// Creates folder with its parents when missing; false when it still is no folder.
bool MakeConfigFolder(const std::string& folder);

}  // namespace vx
