#include "document/read_file_prefix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vx {

namespace {

int OpenForReading(const std::string& path, int& fd) {
    // Non-blocking open so that a FIFO without a writer cannot hang the window.
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return errno;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    struct stat status {};
    if (::fstat(fd, &status) != 0) return errno;
    if (S_ISDIR(status.st_mode)) return EISDIR;
    return 0;
}

int ReadUpTo(int fd, std::size_t limit, std::vector<std::uint8_t>& bytes) {
    bytes.resize(limit);
    std::size_t got = 0;
    while (got < limit) {
        const ssize_t n = ::read(fd, bytes.data() + got, limit - got);
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

int ReadFilePrefix(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    if (path.find('\0') != std::string::npos) return EINVAL;
    int fd = -1;
    int error = OpenForReading(path, fd);
    if (error == 0) error = ReadUpTo(fd, limit, bytes);
    if (fd >= 0) ::close(fd);
    if (error != 0) bytes.clear();
    return error;
}

}  // namespace vx
