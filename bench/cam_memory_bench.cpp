// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "document/cam_reader.h"
#include "document/cam_writer.h"
#include "largest_document.h"

namespace vx::bench {
namespace {

void Load(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = SerializeCamDocument(LargestDocument());
    CamDocument staging;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseCamBytes(bytes, staging));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void Save(benchmark::State& state) {
    const CamDocument doc = LargestDocument();
    std::size_t size = 0;
    for (auto _ : state) {
        std::vector<std::uint8_t> bytes = SerializeCamDocument(doc);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// The floor of both: a copy of the same bytes into a fresh buffer.
void CopyFloor(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = SerializeCamDocument(LargestDocument());
    for (auto _ : state) {
        std::vector<std::uint8_t> copy(bytes);
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK(Load)->Name("CamMemory/Load");
BENCHMARK(Save)->Name("CamMemory/Save");
BENCHMARK(CopyFloor)->Name("CamMemory/CopyFloor");

}  // namespace
}  // namespace vx::bench
