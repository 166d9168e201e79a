// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "remote/click_recorder.h"

#include <cmath>
#include <limits>

namespace vx {
namespace {

// floor(size * pixel / base), the product exact in 64 bits, the quotient saturated.
std::int32_t ScaleToScript(std::int32_t size, std::int32_t pixel, std::int32_t base) {
    // A screen that measured nothing keeps the pixel as it is.
    if (base <= 0) return pixel;
    double scaled =
        std::floor(static_cast<double>(std::int64_t{size} * pixel) / static_cast<double>(base));
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (scaled <= lo) return std::numeric_limits<std::int32_t>::min();
    if (scaled >= hi) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(scaled);
}

}  // namespace

ClickRecorder::ClickRecorder(InputWatch& input, MouseInjector& screen, RemoteWaits& waits,
                             Beeper& beeper, ScreenSize screenAtStart)
    : input_(input),
      screen_(screen),
      waits_(waits),
      beeper_(beeper),
      screenAtStart_(screenAtStart),
      f5_(input) {}

void ClickRecorder::ClearClickScript(Settings& working) {
    working.ClickIntervals.fill(0);
    working.ClickX.fill(0);
    working.ClickY.fill(0);
    working.ClickCount = 0;
}

void ClickRecorder::StartIntervalClock() { LastClickTime = input_.NowMs(); }

void ClickRecorder::RecordInterval(Settings& working, const InputEvent& release) {
    // The clock wraps; the difference of two readings is taken modulo 2^32.
    working.ClickIntervals[working.ClickCount] =
        static_cast<std::int32_t>(release.timeMs - LastClickTime);
    LastClickTime = release.timeMs;
}

void ClickRecorder::RecordCursorPosition(Settings& working, const InputEvent& release) {
    const ScreenSize now = screen_.ScreenSizePixels();
    working.ClickX[working.ClickCount] =
        ScaleToScript(screenAtStart_.width, release.at.x, now.width);
    working.ClickY[working.ClickCount] =
        ScaleToScript(screenAtStart_.height, release.at.y, now.height);
}

bool ClickRecorder::Apply(Settings& working, const InputEvent& event) {
    switch (event.kind) {
        case InputEvent::Kind::LeftPress:
            pressed_ = true;
            return true;
        case InputEvent::Kind::F5Press:
        case InputEvent::Kind::F5Release:
            f5_.Apply(event);
            // F5 during a press waits for its release.
            return pressed_ || !f5_.Held();
        case InputEvent::Kind::LeftRelease:
            // A release without its press began before the recording did.
            if (!pressed_) return true;
            pressed_ = false;
            ++working.ClickCount;
            RecordInterval(working, event);
            RecordCursorPosition(working, event);
            beeper_.Beep();
            if (onProgress) onProgress(working.ClickCount);
            // A full script ends the recording as F5 would; a 256th click has no room.
            if (working.ClickCount == kMaxClicks) return false;
            // F5 held down through the release ends the recording now.
            return !f5_.Held();
    }
    return true;
}

bool ClickRecorder::RecordClicks(Settings& working) {
    StopRecording = false;
    pressed_ = false;
    if (onProgress) onProgress(working.ClickCount);
    while (!StopRecording) {
        for (const InputEvent& event : input_.Take()) {
            if (StopRecording) {
                // Only F5 matters once the recording has ended.
                f5_.Apply(event);
                continue;
            }
            StopRecording = !Apply(working, event);
        }
        if (StopRecording) break;
        if (!waits_.Poll()) return false;
    }
    return true;
}

}  // namespace vx
