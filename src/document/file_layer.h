// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

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
// can make any one of them fail, or stop the process at any step, and check that
// nothing is lost or left behind.
class FileLayer {
  public:
    virtual ~FileLayer() = default;
    // Each returns 0 on success or an errno value.
    // A file in folder that has no name yet, so that a save killed before it is
    // complete leaves nothing behind; EOPNOTSUPP where the file system cannot.
    // Files from both Create calls come locked against other saves (see Link).
    virtual int CreateUnnamed(const std::string& folder, int& handle) = 0;
    virtual int CreateExclusive(const std::string& path, int& handle) = 0;
    // Gives a file from CreateUnnamed the name path; EEXIST when that name is taken.
    virtual int Link(int handle, const std::string& path) = 0;
    virtual int Write(int handle, const std::uint8_t* data, std::size_t size,
                      std::size_t& written) = 0;
    virtual int Flush(int handle) = 0;
    virtual int Close(int handle) = 0;
    virtual int Rename(const std::string& from, const std::string& to) = 0;
    virtual int Remove(const std::string& path) = 0;
    // Give a fresh file the permission bits and the owner of the file it replaces;
    // -1 leaves an id as it is.
    virtual int SetMode(int handle, std::uint32_t mode) = 0;
    virtual int SetOwner(int handle, std::int64_t user, std::int64_t group) = 0;
    // Makes a rename in folder survive a power loss.
    virtual int FlushFolder(const std::string& folder) = 0;
};

// The operating system's own file operations.
FileLayer& SystemFileLayer();

struct WriteResult {
    bool ok = true;
    IoError error;
};

// Writes bytes to path through a temporary file in the same folder, flushed to
// disk and renamed over the target, so a failure leaves any old file whole and
// no temporary file behind; leftovers of saves of the same target that were
// killed are removed. The replacement keeps the old file's mode and, where the
// process may set them, its owner and group. A symbolic link is written through,
// also when its target does not exist yet. An existing target without its
// owner's write bit is refused (EACCES), also for root; anything but a regular
// file is refused (EINVAL).
[[nodiscard]] WriteResult AtomicWriteFile(const std::string& path,
                                          const std::vector<std::uint8_t>& bytes,
                                          FileLayer& layer = SystemFileLayer());

}  // namespace vx
