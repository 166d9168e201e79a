// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench_folder.h"
#include "camtool/run_camtool.h"
#include "document/cam_writer.h"
#include "largest_document.h"

namespace vx::bench {
namespace {

// The largest file and its CSV dump, both on disk as a user would have them.
struct Files {
    std::string cam;
    std::string csv;
};

const Files& PreparedFiles() {
    static const Files files = [] {
        Files prepared{BenchFolder() + "/tool.cam", BenchFolder() + "/tool.csv"};
        CamDocument doc = LargestDocument();
        if (WriteCamFile(prepared.cam, doc).outcome != SaveOutcome::Success) std::abort();
        std::istringstream in;
        std::ostringstream out;
        std::ostringstream err;
        if (camtool::RunCamtool({"dump", prepared.cam, "--csv"}, in, out, err) != 0) std::abort();
        std::ofstream(prepared.csv) << out.str();
        return prepared;
    }();
    return files;
}

void Run(benchmark::State& state, const std::vector<std::string>& arguments) {
    std::istringstream in;
    std::ostringstream err;
    for (auto _ : state) {
        std::ostringstream out;
        if (camtool::RunCamtool(arguments, in, out, err) != 0) {
            state.SkipWithError("camtool failed");
            break;
        }
        benchmark::DoNotOptimize(out.str().size());
    }
}

// The floor of an import: the dump that wrote its CSV.
void Dump(benchmark::State& state) { Run(state, {"dump", PreparedFiles().cam, "--csv"}); }

// Reading the CSV back, range checks included, into a CAM file on standard output.
void Import(benchmark::State& state) { Run(state, {"import", PreparedFiles().csv, "-"}); }

BENCHMARK(Dump)->Name("Camtool/Dump");
BENCHMARK(Import)->Name("Camtool/Import");

}  // namespace
}  // namespace vx::bench
