// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "document/read_file_prefix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace vx {

namespace {

FileStamp StampOf(const struct stat& status) {
    FileStamp stamp;
    stamp.exists = true;
    stamp.device = static_cast<std::uint64_t>(status.st_dev);
    stamp.inode = static_cast<std::uint64_t>(status.st_ino);
    stamp.size = static_cast<std::uint64_t>(status.st_size);
    stamp.modifiedNs =
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    return stamp;
}

int OpenForReading(const std::string& path, int& fd, struct stat& status) {
    // Opening a device can have side effects and a socket cannot be opened at all:
    // look before opening, and again after, since the name may change in between.
    if (::stat(path.c_str(), &status) != 0) return errno;
    if (S_ISDIR(status.st_mode)) return EISDIR;
    if (!S_ISREG(status.st_mode)) return kNotARegularFile;
    // O_NONBLOCK stays on: a regular file ignores it, and anything else swapped in
    // under the name cannot block the read.
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return errno;
    if (::fstat(fd, &status) != 0) return errno;
    if (S_ISDIR(status.st_mode)) return EISDIR;
    return S_ISREG(status.st_mode) ? 0 : kNotARegularFile;
}

int ReadUpTo(int fd, std::size_t expected, std::size_t limit, std::vector<std::uint8_t>& bytes) {
    // The size is a hint only (the file may grow, some report 0): one byte more
    // than expected shows at once whether there is more.
    constexpr std::size_t kMinimumChunk = 4096;
    std::size_t got = 0;
    bytes.resize(std::min(limit, std::max(expected + 1, kMinimumChunk)));
    while (got < limit) {
        if (got == bytes.size()) bytes.resize(std::min(limit, bytes.size() * 2));
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return 0;
}

}  // namespace

int ReadFilePrefix(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& bytes,
                   FileStamp* stamp) {
    bytes.clear();
    if (path.find('\0') != std::string::npos) return EINVAL;
    int fd = -1;
    struct stat status {};
    int error = OpenForReading(path, fd, status);
    if (error == 0) error = ReadUpTo(fd, static_cast<std::size_t>(status.st_size), limit, bytes);
    if (fd >= 0) ::close(fd);
    if (error != 0) bytes.clear();
    if (error == 0 && stamp != nullptr) *stamp = StampOf(status);
    return error;
}

FileStamp StampOfPath(const std::string& path) {
    struct stat status {};
    if (path.find('\0') != std::string::npos || ::stat(path.c_str(), &status) != 0) return {};
    return StampOf(status);
}

}  // namespace vx
