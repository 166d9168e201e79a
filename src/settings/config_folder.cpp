// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "settings/config_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace vx {

bool FolderIsWritable(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    if ((info.st_mode & S_IWUSR) == 0) return false;
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool IsInstalledProgramFolder(const std::string& programFolder) {
    std::error_code ignored;
    return std::filesystem::is_directory(programFolder + "/../share/vistolarex", ignored);
}

std::string ChooseConfigFolder(const std::string& programFolder,
                               const std::string& fallbackFolder) {
    if (fallbackFolder.empty()) return programFolder;
    if (IsInstalledProgramFolder(programFolder)) return fallbackFolder;
    return FolderIsWritable(programFolder) ? programFolder : fallbackFolder;
}

bool MakeConfigFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

}  // namespace vx
