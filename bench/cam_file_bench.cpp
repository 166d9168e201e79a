// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_folder.h"
#include "document/cam_reader.h"
#include "document/cam_writer.h"
#include "largest_document.h"

namespace vx::bench {
namespace {

std::string PreparedFile(const std::string& name, const CamDocument& doc) {
    const std::string path = BenchFolder() + "/" + name;
    CamDocument copy = doc;
    if (WriteCamFile(path, copy).outcome != SaveOutcome::Success) std::abort();
    return path;
}

void Load(benchmark::State& state) {
    const CamDocument largest = LargestDocument();
    const std::string path = PreparedFile("load.cam", largest);
    CamDocument doc;
    for (auto _ : state) {
        if (ReadCamFile(path, doc).outcome != LoadOutcome::Success) {
            state.SkipWithError("reading failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * largest.FileLength()));
}

// The floor of loading: open, read the whole file, close.
void ReadFloor(benchmark::State& state) {
    const CamDocument largest = LargestDocument();
    const std::string path = PreparedFile("read.cam", largest);
    std::vector<std::uint8_t> buffer(largest.FileLength());
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        ::close(fd);
        if (got != static_cast<ssize_t>(buffer.size())) {
            state.SkipWithError("reading failed");
            break;
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * buffer.size()));
}

void Save(benchmark::State& state) {
    CamDocument doc = LargestDocument();
    const std::string path = BenchFolder() + "/save.cam";
    for (auto _ : state) {
        if (WriteCamFile(path, doc).outcome != SaveOutcome::Success) {
            state.SkipWithError("saving failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * doc.FileLength()));
}

// The floor of saving: the same bytes written in place and flushed to disk, as
// the save flushes its temporary file, but without the temporary file and rename.
void WriteFloor(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = SerializeCamDocument(LargestDocument());
    const std::string path = BenchFolder() + "/write.cam";
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        const int synced = ::fsync(fd);
        ::close(fd);
        if (put != static_cast<ssize_t>(bytes.size()) || synced != 0) {
            state.SkipWithError("writing failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK(Load)->Name("CamFile/Load");
BENCHMARK(ReadFloor)->Name("CamFile/ReadFloor");
BENCHMARK(Save)->Name("CamFile/Save");
BENCHMARK(WriteFloor)->Name("CamFile/WriteFloor");

}  // namespace
}  // namespace vx::bench
