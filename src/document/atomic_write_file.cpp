// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <random>

#include "document/file_layer.h"
#include "document/io_error.h"

namespace vx {

namespace {

WriteResult Failed(int errorNumber) { return {false, SystemError(errorNumber)}; }

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Saving through a link replaces the file it points to, not the link, also when
// that file does not exist yet; so the chain is followed by hand.
int ResolveLinks(const std::string& requested, std::string& path) {
    path = requested;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return 0;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length < 0) return errno;
        if (static_cast<std::size_t>(length) == sizeof target) return ENAMETOOLONG;
        std::string next(target, static_cast<std::size_t>(length));
        if (next.empty()) return ENOENT;
        if (next[0] != '/' && path.find('/') != std::string::npos) {
            next = FolderOf(path) + "/" + next;
        }
        path = next;
    }
    return ELOOP;
}

struct Target {
    bool exists = false;
    std::uint32_t mode = 0;
    std::int64_t user = -1;
    std::int64_t group = -1;
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
    target.user = status.st_uid;
    target.group = status.st_gid;
    return 0;
}

// ".vx" + 16 hex digits of the target's name + "." + 8 random hex digits + ".tmp":
// 32 bytes for any target, so every name the file system takes can be saved, and
// the leftovers of one target are found without touching anybody else's files.
std::string TargetTag(const std::string& targetName) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : targetName) hash = (hash ^ c) * 1099511628211ull;
    char tag[24];
    std::snprintf(tag, sizeof tag, ".vx%016llx.", static_cast<unsigned long long>(hash));
    return tag;
}

constexpr std::size_t kTemporaryNameLength = 32;

std::string TemporaryName(const std::string& folder, const std::string& tag) {
    static std::atomic<std::uint32_t> counter{0};
    static const std::uint32_t seed = std::random_device{}();
    const std::uint32_t random =
        (seed ^ (static_cast<std::uint32_t>(::getpid()) << 12)) + 0x9E3779B9u * counter++;
    char tail[16];
    std::snprintf(tail, sizeof tail, "%08x.tmp", random);
    return folder + "/" + tag + tail;
}

// Removes the temporary files of saves of this target that were killed before
// their rename. A running save holds a lock on its file, so only the dead ones go.
void RemoveLeftovers(const std::string& folder, const std::string& tag) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != kTemporaryNameLength || name.compare(0, tag.size(), tag) != 0 ||
            name.compare(name.size() - 4, 4, ".tmp") != 0) {
            continue;
        }
        const int flags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
        int fd = ::openat(dirFd, name.c_str(), O_RDONLY | flags);
        if (fd < 0) fd = ::openat(dirFd, name.c_str(), O_WRONLY | flags);
        if (fd < 0) continue;
        struct stat opened {};
        struct stat named {};
        // Checked again after locking: the name must still be the file that was locked.
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(dirFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_dev == opened.st_dev && named.st_ino == opened.st_ino) {
            ::unlinkat(dirFd, name.c_str(), 0);
        }
        ::close(fd);
    }
    ::closedir(dir);
}

int CreateNamed(const std::string& folder, const std::string& tag, FileLayer& layer,
                std::string& temp, int& handle) {
    // A name taken by another process just means another name.
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        temp = TemporaryName(folder, tag);
        error = layer.CreateExclusive(temp, handle);
    }
    return error;
}

int LinkNamed(const std::string& folder, const std::string& tag, FileLayer& layer, int handle,
              std::string& temp) {
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        temp = TemporaryName(folder, tag);
        error = layer.Link(handle, temp);
    }
    if (error != 0) temp.clear();
    return error;
}

// Owner and group as before where the process may set them: root always, a user
// the group of which it is a member. Anything else keeps the saver's own ids.
int KeepOwner(FileLayer& layer, int handle, const Target& target) {
    int error = layer.SetOwner(handle, target.user, target.group);
    if (error == EPERM) error = layer.SetOwner(handle, -1, target.group);
    return error == EPERM ? 0 : error;
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
    std::string path;
    if (const int error = ResolveLinks(requested, path)) return Failed(error);

    Target target;
    if (const int error = InspectTarget(path, target)) return Failed(error);

    const std::string folder = FolderOf(path);
    const std::string tag = TargetTag(BaseOf(path));
    RemoveLeftovers(folder, tag);

    // The unnamed file gets its name only just before the rename; where the file
    // system cannot, a named one is used, which the next save removes if killed.
    std::string temp;
    int handle = -1;
    int error = layer.CreateUnnamed(folder, handle);
    if (error == EOPNOTSUPP) error = CreateNamed(folder, tag, layer, temp, handle);
    if (error != 0) return Failed(error);

    if (target.exists) error = KeepOwner(layer, handle, target);
    // Changing the owner may clear mode bits, so the mode comes after it.
    if (error == 0 && target.exists) error = layer.SetMode(handle, target.mode);
    if (error == 0) error = WriteAll(layer, handle, bytes);
    if (error == 0) error = layer.Flush(handle);
    if (error == 0 && temp.empty()) error = LinkNamed(folder, tag, layer, handle, temp);
    if (error == 0) error = layer.Rename(temp, path);
    if (error != 0 && !temp.empty()) layer.Remove(temp);
    // Closed only now, so the lock keeps other saves off the file until it has its
    // final name; the data is on disk once Flush succeeded, so a late close error
    // says nothing about it.
    layer.Close(handle);
    if (error == 0) error = layer.FlushFolder(folder);
    if (error != 0) return Failed(error);
    return {};
}

}  // namespace vx
