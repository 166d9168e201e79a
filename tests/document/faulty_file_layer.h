#pragma once

#include <algorithm>
#include <cerrno>

#include "document/file_layer.h"

namespace vx::testing {

// The real file operations with one chosen fault; writes can also be cut short
// to make the writer loop.
class FaultyFileLayer : public FileLayer {
  public:
    int createError = 0;
    int eexistAnswers = 0;    // creations answered EEXIST before the real one
    int failWriteNumber = 0;  // 1 = the first write fails
    int writeError = EIO;
    std::size_t maxChunk = 0;  // 0 = no limit
    int flushError = 0;
    int closeError = 0;
    int renameError = 0;
    int setModeError = 0;

    int writes = 0;
    int creations = 0;
    int closes = 0;

    int CreateExclusive(const std::string& path, int& handle) override {
        ++creations;
        if (eexistAnswers > 0) {
            --eexistAnswers;
            return EEXIST;
        }
        if (createError) return createError;
        return real_.CreateExclusive(path, handle);
    }
    int Write(int handle, const std::uint8_t* data, std::size_t size,
              std::size_t& written) override {
        ++writes;
        if (writes == failWriteNumber) {
            written = 0;
            return writeError;
        }
        if (maxChunk != 0) size = std::min(size, maxChunk);
        return real_.Write(handle, data, size, written);
    }
    int Flush(int handle) override { return flushError ? flushError : real_.Flush(handle); }
    int Close(int handle) override {
        ++closes;
        const int error = real_.Close(handle);
        return closeError ? closeError : error;
    }
    int Rename(const std::string& from, const std::string& to) override {
        return renameError ? renameError : real_.Rename(from, to);
    }
    int Remove(const std::string& path) override { return real_.Remove(path); }
    int SetMode(int handle, std::uint32_t mode) override {
        return setModeError ? setModeError : real_.SetMode(handle, mode);
    }

  private:
    FileLayer& real_ = SystemFileLayer();
};

}  // namespace vx::testing
