// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <benchmark/benchmark.h>

#include <QTest>
#include <string>

#include "bench_editor.h"
#include "largest_document.h"
#include "ui/editor/tv_page.h"
#include "ui/widgets/entry_box.h"

namespace vx::bench {
namespace {

constexpr int kCamera = 1;

// A typed distance: the box takes the focus (selecting its text), the value is
// typed over it and Tab moves on, which commits it and refreshes the page.
// Moving the focus back beforehand commits the next box too, so that part is
// left out of the timing.
void TypedEntry(benchmark::State& state) {
    BenchEditor editor("entry");
    const std::string path = editor.WriteCam("largest.cam", LargestDocument());
    EditorWindow* window = editor.Start(path);
    if (window == nullptr || !editor.Activate()) {
        state.SkipWithError("the window did not appear or become active");
        return;
    }
    TvPage& page = window->Tv1Page();
    EntryBox* box = page.CamData(TvField::Distance);
    // Two values in turn, so that every commit stores a change.
    const char* const typed[] = {"125", "130"};
    const float stored[] = {125.0f, 130.0f};
    int turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        box->setFocus(Qt::BacktabFocusReason);
        FlushEvents();
        const bool focused = box->hasFocus() && box->selectedText() == box->text();
        state.ResumeTiming();
        if (!focused) {
            state.SkipWithError("the box did not take the focus with its text selected");
            break;
        }

        QTest::keyClicks(box, QString::fromLatin1(typed[turn]));
        QTest::keyClick(box, Qt::Key_Tab);
        FlushEvents();

        if (box->hasFocus()) {
            state.SkipWithError("Tab left the focus in the box");
            break;
        }
        if (window->Document().TV1.Camera(kCamera).Float(TvField::Distance) != stored[turn]) {
            const std::string why =
                "the typed value was not stored; status: " + window->StatusLine();
            state.SkipWithError(why.c_str());
            break;
        }
        turn = 1 - turn;
    }
}

BENCHMARK(TypedEntry)->Name("Window/TypedEntry")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vx::bench
