// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_folder.h"
#include "standin_window.h"

namespace vx::bench {

namespace {

class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vx-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        path_ = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

}  // namespace

const std::string& BenchFolder() {
    static TemporaryFolder folder;
    return folder.Path();
}

}  // namespace vx::bench

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == vx::bench::kStandInOption)
        return vx::bench::RunStandInGame();
    // The window benchmarks need an application but no display: on the offscreen
    // platform they run alike on a desk and on a build machine without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt takes its own arguments first; what is left belongs to the benchmark library.
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
