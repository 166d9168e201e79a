#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <random>

#include "document/file_layer.h"
#include "document/io_error.h"

namespace vx {

namespace {

WriteResult Failed(int errorNumber) { return {false, SystemError(errorNumber)}; }

// Saving through a link replaces the file it points to, not the link.
std::string ResolveLink(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return path;
    return resolved;
}

struct Target {
    bool exists = false;
    std::uint32_t mode = 0;
};

// The rename would replace a read-only file without asking, and root's writes
// ignore the mode bits, so the owner's write bit is checked here.
int InspectTarget(const std::string& path, Target& target) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return errno == ENOENT ? 0 : errno;
    if (S_ISDIR(status.st_mode)) return EISDIR;
    if (!S_ISREG(status.st_mode)) return EINVAL;
    if ((status.st_mode & S_IWUSR) == 0) return EACCES;
    target.exists = true;
    target.mode = status.st_mode & 0777;
    return 0;
}

std::string TemporaryName(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    static const unsigned seed = std::random_device{}();
    const std::size_t slash = path.rfind('/');
    const std::size_t baseStart = slash == std::string::npos ? 0 : slash + 1;
    const unsigned tag = seed ^ (static_cast<unsigned>(::getpid()) << 12) ^ counter++;
    return path.substr(0, baseStart) + "." + path.substr(baseStart) + "." +
           std::to_string(tag % 1000000u) + ".tmp";
}

int CreateTemporary(const std::string& path, FileLayer& layer, std::string& temp, int& handle) {
    // A name left by a crashed save, or taken by another process, just means another name.
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        temp = TemporaryName(path);
        error = layer.CreateExclusive(temp, handle);
    }
    return error;
}

int WriteAll(FileLayer& layer, int handle, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t remaining = bytes.size() - done;
        std::size_t written = 0;
        if (const int error = layer.Write(handle, bytes.data() + done, remaining, written)) {
            return error;
        }
        // A write that makes no progress would loop for ever.
        if (written == 0 || written > remaining) return EIO;
        done += written;
    }
    return 0;
}

}  // namespace

WriteResult AtomicWriteFile(const std::string& requested, const std::vector<std::uint8_t>& bytes,
                            FileLayer& layer) {
    if (requested.empty()) return Failed(ENOENT);
    if (requested.find('\0') != std::string::npos) return Failed(EINVAL);
    const std::string path = ResolveLink(requested);

    Target target;
    if (const int error = InspectTarget(path, target)) return Failed(error);

    std::string temp;
    int handle = -1;
    if (const int error = CreateTemporary(path, layer, temp, handle)) return Failed(error);

    int error = target.exists ? layer.SetMode(handle, target.mode) : 0;
    if (error == 0) error = WriteAll(layer, handle, bytes);
    if (error == 0) error = layer.Flush(handle);
    const int closeError = layer.Close(handle);
    if (error == 0) error = closeError;
    if (error == 0) error = layer.Rename(temp, path);
    if (error != 0) {
        layer.Remove(temp);
        return Failed(error);
    }
    return {};
}

}  // namespace vx
