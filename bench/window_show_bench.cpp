// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <benchmark/benchmark.h>

#include <QToolButton>

#include "bench_editor.h"
#include "largest_document.h"
#include "ui/editor/tv_page.h"
#include "ui/widgets/value_stepper.h"

namespace vx::bench {
namespace {

// Showing another camera: one click on the selection spinner of TV1 in the largest
// file, walking up to the last camera and back down, with the repaint it causes.
void ShowTvCamera(benchmark::State& state) {
    BenchEditor editor("show");
    const std::string path = editor.WriteCam("largest.cam", LargestDocument());
    EditorWindow* window = editor.Start(path);
    if (window == nullptr) {
        state.SkipWithError("the window did not appear");
        return;
    }
    TvPage& page = window->Tv1Page();
    ValueStepper& spinner = *page.SelectionSpinner();
    if (window->Document().TV1.Count() != 255 || page.Shown() != 1) {
        state.SkipWithError("the prepared file was not loaded");
        return;
    }
    int direction = +1;
    for (auto _ : state) {
        if (page.Shown() == spinner.Maximum()) direction = -1;
        if (page.Shown() == spinner.Minimum()) direction = +1;
        const int expected = page.Shown() + direction;
        (direction > 0 ? spinner.UpArrow() : spinner.DownArrow())->click();
        FlushEvents();
        if (page.Shown() != expected) {
            state.SkipWithError("the step did not show the next camera");
            break;
        }
    }
}

BENCHMARK(ShowTvCamera)->Name("Window/ShowTvCamera")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vx::bench
