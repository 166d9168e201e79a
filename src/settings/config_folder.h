// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

namespace vx {

// True when folder exists and the program may create files in it. Root passes
// every permission check, so a folder whose owner write bit is clear also counts
// as not writable: an installed copy made read-only (chmod 0555) keeps its files
// out of it even for root. access(W_OK) covers other users and read-only mounts.
bool FolderIsWritable(const std::string& folder);

// True when programFolder is the bin folder of an installed prefix, recognised by
// the share folder beside it that installation fills (../share/vistolarex).
bool IsInstalledProgramFolder(const std::string& programFolder);

// The folder that holds Vistolarex.cfg: for an installed copy always fallbackFolder
// (the user's configuration folder), as a shared bin folder must not hold one
// user's settings even when root could write there; otherwise the program's own
// folder while it is writable (a build tree, an unpacked copy), else the fallback.
// An empty fallback keeps the program's folder. Decided once at start-up.
std::string ChooseConfigFolder(const std::string& programFolder, const std::string& fallbackFolder);

// Creates folder with its parents when missing; false when it still is no folder.
bool MakeConfigFolder(const std::string& folder);

}  // namespace vx
