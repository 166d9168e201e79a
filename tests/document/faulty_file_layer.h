// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "document/file_layer.h"

namespace vx::testing {

// The real file operations with chosen faults; writes can be cut short to make the
// writer loop, and the process ended before a step, as a kill would.
class FaultyFileLayer : public FileLayer {
  public:
    int unnamedError = 0;                       // EOPNOTSUPP: the file system has no unnamed files
    int eexistAnswers = 0;                      // temporary names answered EEXIST first
    int failWriteNumber = 0, writeError = EIO;  // 1 = the first write fails
    std::size_t maxChunk = 0;                   // 0 = no limit
    int createError = 0, flushError = 0, renameError = 0, setModeError = 0, flushFolderError = 0;
    int ownerErrors = 0;  // SetOwner calls answered EPERM before the real one; < 0: EIO
    const char* killBefore = nullptr;  // "write", "link", "rename": _exit there
    int writes = 0, closes = 0;
    std::vector<std::pair<std::int64_t, std::int64_t>> owners;  // SetOwner's arguments

    int CreateUnnamed(const std::string& folder, int& handle) override {
        if (unnamedError || createError) return unnamedError ? unnamedError : createError;
        return real_->CreateUnnamed(folder, handle);
    }
    int CreateExclusive(const std::string& path, int& handle) override {
        if (NameTaken()) return EEXIST;
        return createError ? createError : real_->CreateExclusive(path, handle);
    }
    int Link(int handle, const std::string& path) override {
        return Step("link"), NameTaken() ? EEXIST : real_->Link(handle, path);
    }
    int Write(int handle, const std::uint8_t* data, std::size_t size,
              std::size_t& written) override {
        Step("write");
        if (++writes == failWriteNumber) return written = 0, writeError;
        return real_->Write(handle, data, maxChunk ? std::min(size, maxChunk) : size, written);
    }
    int Flush(int handle) override { return flushError ? flushError : real_->Flush(handle); }
    int Close(int handle) override { return ++closes, real_->Close(handle); }
    int Rename(const std::string& from, const std::string& to) override {
        return Step("rename"), renameError ? renameError : real_->Rename(from, to);
    }
    int Remove(const std::string& path) override { return real_->Remove(path); }
    int SetMode(int handle, std::uint32_t mode) override {
        return setModeError ? setModeError : real_->SetMode(handle, mode);
    }
    int SetOwner(int handle, std::int64_t user, std::int64_t group) override {
        owners.emplace_back(user, group);
        if (ownerErrors != 0) return ownerErrors < 0 ? EIO : (--ownerErrors, EPERM);
        return real_->SetOwner(handle, user, group);
    }
    int FlushFolder(const std::string& folder) override {
        return flushFolderError ? flushFolderError : real_->FlushFolder(folder);
    }

  private:
    bool NameTaken() { return eexistAnswers > 0 && eexistAnswers-- > 0; }
    void Step(const char* name) {
        if (killBefore != nullptr && std::strcmp(killBefore, name) == 0) ::_exit(137);
    }

    FileLayer* real_ = &SystemFileLayer();
};

}  // namespace vx::testing
