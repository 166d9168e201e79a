#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>

#include "document/file_layer.h"

namespace vx::testing {

// Passes every call to the real file system, except the one chosen to fail.
class FaultyFileLayer : public FileLayer {
  public:
    enum class Op { None, Create, Write, Flush, Close, Rename };

    Op failOp = Op::None;
    int failOnCall = 1;  // which call of failOp fails, counted from 1
    int failError = EIO;
    // A write that fails may first store part of its bytes, as a full disk does.
    std::size_t partialBytes = 0;

    int creates = 0;
    int writes = 0;
    int removes = 0;

    int CreateExclusive(const std::string& path, int& handle) override {
        if (Fails(Op::Create, ++creates)) return failError;
        return real_.CreateExclusive(path, handle);
    }
    int Write(int handle, const std::uint8_t* data, std::size_t size,
              std::size_t& written) override {
        if (Fails(Op::Write, ++writes)) {
            written = 0;
            if (partialBytes > 0 && partialBytes < size) {
                real_.Write(handle, data, partialBytes, written);
            }
            return failError;
        }
        return real_.Write(handle, data, size, written);
    }
    int Flush(int handle) override {
        if (Fails(Op::Flush, ++flushes_)) return failError;
        return real_.Flush(handle);
    }
    int Close(int handle) override {
        const int error = real_.Close(handle);
        if (Fails(Op::Close, ++closes_)) return failError;
        return error;
    }
    int Rename(const std::string& from, const std::string& to) override {
        if (Fails(Op::Rename, ++renames_)) return failError;
        return real_.Rename(from, to);
    }
    int Remove(const std::string& path) override {
        ++removes;
        return real_.Remove(path);
    }

  private:
    bool Fails(Op op, int call) const { return op == failOp && call == failOnCall; }

    FileLayer& real_ = SystemFileLayer();
    int flushes_ = 0;
    int closes_ = 0;
    int renames_ = 0;
};

}  // namespace vx::testing
