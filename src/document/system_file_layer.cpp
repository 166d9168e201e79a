// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "document/file_layer.h"

namespace vx {

namespace {

// A live save holds this lock until its file has its final name, which is how
// the cleaning of leftovers tells a killed save's file from a running one.
int LockAndReturn(int& handle) {
    if (handle < 0) return errno;
    if (::flock(handle, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(handle);
        handle = -1;
        return error;
    }
    return 0;
}

class PosixFileLayer final : public FileLayer {
  public:
    int CreateUnnamed(const std::string& folder, int& handle) override {
        // Naming the file later goes through /proc, which a minimal container may lack.
        static const bool canLink = ::access("/proc/self/fd", X_OK) == 0;
        if (!canLink) return EOPNOTSUPP;
        do {
            handle = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        } while (handle < 0 && errno == EINTR);
        // Older kernels and some file systems answer these for an unknown O_TMPFILE.
        if (handle < 0 && (errno == EISDIR || errno == EINVAL)) return EOPNOTSUPP;
        return LockAndReturn(handle);
    }

    int CreateExclusive(const std::string& path, int& handle) override {
        do {
            handle =
                ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        } while (handle < 0 && errno == EINTR);
        return LockAndReturn(handle);
    }

    int Link(int handle, const std::string& path) override {
        const std::string self = "/proc/self/fd/" + std::to_string(handle);
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0
                   ? 0
                   : errno;
    }

    int Write(int handle, const std::uint8_t* data, std::size_t size,
              std::size_t& written) override {
        written = 0;
        ssize_t n;
        do {
            n = ::write(handle, data, size);
        } while (n < 0 && errno == EINTR);
        if (n < 0) return errno;
        written = static_cast<std::size_t>(n);
        return 0;
    }

    int Flush(int handle) override { return ::fsync(handle) == 0 ? 0 : errno; }

    int Close(int handle) override {
        // After EINTR the descriptor is gone on Linux; the data was already flushed.
        if (::close(handle) == 0 || errno == EINTR) return 0;
        return errno;
    }

    int Rename(const std::string& from, const std::string& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }

    int Remove(const std::string& path) override { return ::unlink(path.c_str()) == 0 ? 0 : errno; }

    int SetMode(int handle, std::uint32_t mode) override {
        return ::fchmod(handle, static_cast<mode_t>(mode)) == 0 ? 0 : errno;
    }

    int SetOwner(int handle, std::int64_t user, std::int64_t group) override {
        return ::fchown(handle, static_cast<uid_t>(user), static_cast<gid_t>(group)) == 0 ? 0
                                                                                          : errno;
    }

    int FlushFolder(const std::string& folder) override {
        int fd;
        do {
            fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) return errno;
        int error = ::fsync(fd) == 0 ? 0 : errno;
        ::close(fd);
        // Some file systems cannot flush a folder at all; that is no failed save.
        if (error == EINVAL || error == EOPNOTSUPP) error = 0;
        return error;
    }
};

}  // namespace

FileLayer& SystemFileLayer() {
    static PosixFileLayer layer;
    return layer;
}

}  // namespace vx
