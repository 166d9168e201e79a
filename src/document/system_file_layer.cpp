#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "document/file_layer.h"

namespace vx {

namespace {

class PosixFileLayer final : public FileLayer {
  public:
    int CreateExclusive(const std::string& path, int& handle) override {
        do {
            handle =
                ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        } while (handle < 0 && errno == EINTR);
        return handle < 0 ? errno : 0;
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
};

}  // namespace

FileLayer& SystemFileLayer() {
    static PosixFileLayer layer;
    return layer;
}

}  // namespace vx
