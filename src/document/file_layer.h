#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vx {

// A failure of the operating system, as errno and its text.
struct IoError {
    int errorNumber = 0;
    std::string description;
};

// The few file operations that saving needs, behind an interface so that tests
// can make any one of them fail and check that nothing is lost.
class FileLayer {
  public:
    virtual ~FileLayer() = default;
    // Each returns 0 on success or an errno value.
    virtual int CreateExclusive(const std::string& path, int& handle) = 0;
    virtual int Write(int handle, const std::uint8_t* data, std::size_t size,
                      std::size_t& written) = 0;
    virtual int Flush(int handle) = 0;
    virtual int Close(int handle) = 0;
    virtual int Rename(const std::string& from, const std::string& to) = 0;
    virtual int Remove(const std::string& path) = 0;
    // Gives a freshly created file the permission bits of the file it replaces.
    virtual int SetMode(int handle, std::uint32_t mode) {
        (void)handle;
        (void)mode;
        return 0;
    }
};

// The operating system's own file operations.
FileLayer& SystemFileLayer();

struct WriteResult {
    bool ok = true;
    IoError error;
};

// Writes bytes to path through a temporary file in the same folder, flushed to
// disk and renamed over the target, so a failure leaves any old file whole and
// no temporary file behind. An existing target without its owner's write bit
// is refused (EACCES), also for root.
WriteResult AtomicWriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes,
                            FileLayer& layer = SystemFileLayer());

}  // namespace vx
