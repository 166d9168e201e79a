// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "settings/file_probe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "document/read_file_prefix.h"
#include "settings/config_file.h"

namespace vx {

namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// O_NONBLOCK keeps a FIFO in the way from hanging start-up.
int OpenForReading(const std::string& path, int& fd) {
    // A folder text from the file may hold a NUL that would cut the path short.
    if (path.find('\0') != std::string::npos) return EINVAL;
    fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    return fd < 0 ? errno : 0;
}

ProbeResult Failure(const std::string& path, int errorNumber) {
    ProbeResult result;
    result.errorNumber = errorNumber;
    result.pathNotFound = IsPathNotFound(path, errorNumber);
    return result;
}

}  // namespace

bool IsPathNotFound(const std::string& path, int errorNumber) {
    if (errorNumber == ENOTDIR) return true;
    if (errorNumber != ENOENT) return false;
    struct stat info {};
    return ::stat(FolderOf(path).c_str(), &info) != 0 || !S_ISDIR(info.st_mode);
}

ProbeResult ProbeReadable(const std::string& path) {
    int fd = -1;
    if (int error = OpenForReading(path, fd)) return Failure(path, error);
    struct stat info {};
    int error = ::fstat(fd, &info) != 0 ? errno : (S_ISDIR(info.st_mode) ? EISDIR : 0);
    ::close(fd);
    return error ? Failure(path, error) : ProbeResult{};
}

ProbeResult ReadFileHead(const std::string& path, std::size_t limit) {
    ProbeResult result;
    if (int error = ReadFilePrefix(path, limit, result.bytes)) return Failure(path, error);
    return result;
}

bool CheckGameFolder(const std::string& folder) {
    return ProbeReadable(folder + "/gpl.exe").errorNumber == 0;
}

}  // namespace vx
