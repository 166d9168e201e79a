// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <benchmark/benchmark.h>

#include <QPushButton>

#include "bench_editor.h"

namespace vx::bench {
namespace {

// Start-up to the first shown window inside a running application: the window
// is built, reads its configuration, checks the game folder, fills its pages and
// is shown until it is on the screen. Closing it is left out of the timing.
void Startup(benchmark::State& state) {
    BenchEditor editor("startup");
    for (auto _ : state) {
        EditorWindow* window = editor.Start();
        if (window == nullptr) {
            state.SkipWithError("the window did not appear");
            break;
        }
        state.PauseTiming();
        // The ordinary road: no box, and the configured game folder enables Test.
        const auto* test = window->findChild<QPushButton*>(QStringLiteral("cmdTestCams"));
        const bool ordinary = editor.boxes.shown.empty() && test != nullptr && test->isEnabled();
        editor.Close();
        state.ResumeTiming();
        if (!ordinary) {
            state.SkipWithError("start-up did not find its configuration");
            break;
        }
    }
}

BENCHMARK(Startup)->Name("Window/Startup")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vx::bench
