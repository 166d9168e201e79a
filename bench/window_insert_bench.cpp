// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <benchmark/benchmark.h>

#include <QPushButton>

#include "bench_editor.h"
#include "largest_document.h"
#include "ui/editor/tv_page.h"

namespace vx::bench {
namespace {

// A TV1 set one short of full, so that every insertion is accepted.
CamDocument AlmostFullDocument() {
    CamDocument doc = LargestDocument();
    doc.TV1.SetCount(254);
    UpdateHeaderSize(doc);
    return doc;
}

// A click on Add Before or Add Behind while camera 1 of 254 is shown: every later
// camera moves one slot up, the page shows the new camera and repaints. The file
// is loaded again before each click, outside the timing.
void Insert(benchmark::State& state, QPushButton* (TvPage::*button)() const, int shownAfter) {
    BenchEditor editor(shownAfter == 1 ? "insert-before" : "insert-behind");
    const std::string path = editor.WriteCam("almost-full.cam", AlmostFullDocument());
    EditorWindow* window = editor.Start();
    if (window == nullptr) {
        state.SkipWithError("the window did not appear");
        return;
    }
    TvPage& page = window->Tv1Page();
    for (auto _ : state) {
        state.PauseTiming();
        window->ReadCamFile(path);
        FlushEvents();
        const bool loaded = window->Document().TV1.Count() == 254 && page.Shown() == 1;
        state.ResumeTiming();
        if (!loaded) {
            state.SkipWithError("the prepared file was not loaded");
            break;
        }

        (page.*button)()->click();
        FlushEvents();

        if (window->Document().TV1.Count() != 255 || page.Shown() != shownAfter) {
            state.SkipWithError("no camera was inserted");
            break;
        }
    }
}

void AddBefore(benchmark::State& state) { Insert(state, &TvPage::AddBefore, 1); }
void AddBehind(benchmark::State& state) { Insert(state, &TvPage::AddBehind, 2); }

BENCHMARK(AddBefore)->Name("Window/AddBeforeCamera1")->Unit(benchmark::kMicrosecond);
BENCHMARK(AddBehind)->Name("Window/AddBehindCamera1")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vx::bench
