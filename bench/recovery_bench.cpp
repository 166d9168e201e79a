// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <benchmark/benchmark.h>

#include "bench_folder.h"
#include "largest_document.h"
#include "session/recovery_file.h"

namespace vx::bench {
namespace {

// The copy of unsaved changes, written at most once a second while the user edits:
// the largest document and its file name, replaced by temporary file and rename,
// without a flush to disk.
void RecoveryWrite(benchmark::State& state) {
    const CamDocument largest = LargestDocument();
    RecoveryFile recovery(StateFolder(BenchFolder() + "/recovery-state"));
    for (auto _ : state) {
        if (!recovery.Write("/home/maker/tracks/largest.cam", largest)) {
            state.SkipWithError("the recovery file could not be written");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * largest.FileLength()));
}

BENCHMARK(RecoveryWrite)->Name("Recovery/Write")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vx::bench
