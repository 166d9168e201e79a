// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "session/recovery_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "document/cam_reader.h"
#include "document/cam_writer.h"

namespace vx {

namespace {

constexpr const char* kFolder = "recovery";
constexpr const char* kDataSuffix = ".recovery";
constexpr const char* kLockSuffix = ".lock";
constexpr const char* kMagic = "Vistolarex recovery 1\n";

std::string LockPathOf(const std::string& dataPath) {
    return dataPath.substr(0, dataPath.size() - std::string(kDataSuffix).size()) + kLockSuffix;
}

// Locks the file at path, creating it when missing. The name must still lead to
// the locked file afterwards: a scan may have removed a free lock file meanwhile.
int LockAt(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return -1;
    struct stat locked {};
    struct stat named {};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &locked) == 0 &&
        ::stat(path.c_str(), &named) == 0 && locked.st_dev == named.st_dev &&
        locked.st_ino == named.st_ino) {
        return fd;
    }
    ::close(fd);
    return -1;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::vector<std::uint8_t> EncodeRecovery(const RecoveredDocument& content) {
    const std::string head = kMagic + JoinStateRecords({{"file", content.fileName}});
    std::vector<std::uint8_t> bytes(head.begin(), head.end());
    const std::vector<std::uint8_t> cam = SerializeCamDocument(content.doc);
    bytes.insert(bytes.end(), cam.begin(), cam.end());
    return bytes;
}

bool DecodeRecovery(const std::vector<std::uint8_t>& bytes, RecoveredDocument& content) {
    const std::string magic = kMagic;
    if (bytes.size() < magic.size() || !std::equal(magic.begin(), magic.end(), bytes.begin())) {
        return false;
    }
    const auto lineEnd = std::find(bytes.begin() + magic.size(), bytes.end(), '\n');
    if (lineEnd == bytes.end()) return false;
    const auto records = SplitStateRecords(std::string(bytes.begin() + magic.size(), lineEnd + 1));
    if (records.size() != 1 || records[0].size() != 2 || records[0][0] != "file") return false;
    const std::vector<std::uint8_t> cam(lineEnd + 1, bytes.end());
    RecoveredDocument decoded{records[0][1], {}};
    if (ParseCamBytes(cam, decoded.doc) != LoadOutcome::Success) return false;
    // Anything after the document means the file is not what this program wrote.
    if (SerializeCamDocument(decoded.doc) != cam) return false;
    decoded.doc.DataSaved = false;
    content = std::move(decoded);
    return true;
}

RecoveryFile::RecoveryFile(StateFolder folder) : folder_(std::move(folder)) {}

RecoveryFile::~RecoveryFile() {
    Remove();
    if (lock_ >= 0) {
        ::unlink(folder_.PathOf(std::string(kFolder) + "/" + token_ + kLockSuffix).c_str());
        ::close(lock_);
    }
}

bool RecoveryFile::TakeLock() {
    if (lock_ >= 0) return true;
    if (folder_.Path().empty()) return false;
    std::error_code error;
    std::filesystem::create_directories(folder_.PathOf(kFolder), error);
    static std::mt19937 random(std::random_device{}());
    for (int attempt = 0; attempt < 10 && lock_ < 0; ++attempt) {
        char token[32];
        std::snprintf(token, sizeof token, "%d-%08x", static_cast<int>(::getpid()),
                      static_cast<unsigned>(random()));
        token_ = token;
        lock_ = LockAt(folder_.PathOf(std::string(kFolder) + "/" + token_ + kLockSuffix));
    }
    return lock_ >= 0;
}

std::string RecoveryFile::Path() const {
    return lock_ < 0 ? std::string()
                     : folder_.PathOf(std::string(kFolder) + "/" + token_ + kDataSuffix);
}

bool RecoveryFile::Write(const std::string& fileName, const CamDocument& doc) {
    if (!TakeLock()) return false;
    const std::string name = std::string(kFolder) + "/" + token_ + kDataSuffix;
    written_ = folder_.WriteBytes(name, EncodeRecovery({fileName, doc}), false).ok;
    return written_;
}

void RecoveryFile::Remove() {
    if (!written_) return;
    ::unlink(Path().c_str());
    written_ = false;
}

OrphanedRecovery::OrphanedRecovery(std::string path, int lock, RecoveredDocument content,
                                   std::time_t written)
    : path_(std::move(path)), lock_(lock), content_(std::move(content)), written_(written) {}

OrphanedRecovery::OrphanedRecovery(OrphanedRecovery&& other) noexcept
    : path_(std::move(other.path_)),
      lock_(other.lock_),
      content_(std::move(other.content_)),
      written_(other.written_) {
    other.lock_ = -1;
}

OrphanedRecovery::~OrphanedRecovery() {
    if (lock_ >= 0) ::close(lock_);
}

void OrphanedRecovery::Dismiss() {
    if (lock_ < 0) return;
    ::unlink(path_.c_str());
    ::unlink(LockPathOf(path_).c_str());
    ::close(lock_);
    lock_ = -1;
}

RecoveryScan FindOrphanedRecoveries(const StateFolder& folder) {
    RecoveryScan scan;
    if (folder.Path().empty()) return scan;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder.PathOf(kFolder), error);
    if (error) return scan;
    std::vector<std::string> paths;
    std::vector<std::string> locks;
    for (const auto& entry : entries) {
        const std::string path = entry.path().string();
        if (EndsWith(path, kDataSuffix)) paths.push_back(path);
        if (EndsWith(path, kLockSuffix)) locks.push_back(path);
    }
    // The lock of an instance that was killed before or after its last copy; a
    // living one holds its lock, and LockAt makes it take a new one if removed.
    for (const std::string& lockPath : locks) {
        const std::string dataPath =
            lockPath.substr(0, lockPath.size() - std::string(kLockSuffix).size()) + kDataSuffix;
        if (std::find(paths.begin(), paths.end(), dataPath) != paths.end()) continue;
        if (const int lock = LockAt(lockPath); lock >= 0) {
            ::unlink(lockPath.c_str());
            ::close(lock);
        }
    }
    std::sort(paths.begin(), paths.end());
    for (const std::string& path : paths) {
        // A living instance holds its lock, so its file is not ours to offer.
        const int lock = LockAt(LockPathOf(path));
        if (lock < 0) continue;
        struct stat status {};
        RecoveredDocument content;
        std::vector<std::uint8_t> bytes;
        if (::stat(path.c_str(), &status) == 0 && ReadFilePrefix(path, 1 << 20, bytes) == 0 &&
            DecodeRecovery(bytes, content)) {
            scan.found.emplace_back(path, lock, std::move(content), status.st_mtim.tv_sec);
            continue;
        }
        if (::rename(path.c_str(), (path + ".bad").c_str()) == 0) {
            scan.damaged.push_back(path + ".bad");
        }
        ::unlink(LockPathOf(path).c_str());
        ::close(lock);
    }
    return scan;
}

std::string RecoveryQuestion(const OrphanedRecovery& recovery) {
    const std::string& file = recovery.Content().fileName;
    const std::string name =
        file.empty() ? "a new document" : std::filesystem::path(file).filename().string();
    char when[32] = "";
    const std::time_t written = recovery.WrittenAt();
    std::tm local{};
    if (::localtime_r(&written, &local) != nullptr) {
        std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &local);
    }
    return "Vistolarex found unsaved changes to " + name + " from " + when + ". Restore them?";
}

}  // namespace vx
