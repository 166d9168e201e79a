#include "remote/click_recorder.h"

#include <cmath>
#include <limits>

namespace vx {
namespace {

// floor(size * pixel / base), the product exact in 64 bits, the quotient saturated.
std::int32_t ScaleToScript(std::int32_t size, std::int32_t pixel, double base) {
    double scaled = std::floor(static_cast<double>(std::int64_t{size} * pixel) / base);
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (scaled <= lo) return std::numeric_limits<std::int32_t>::min();
    if (scaled >= hi) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(scaled);
}

}  // namespace

ClickRecorder::ClickRecorder(KeyState& keys, PointerReader& pointer, MillisecondClock& clock,
                             PollPause& pause, Beeper& beeper, ScreenSize screenAtStart)
    : keys_(keys),
      pointer_(pointer),
      clock_(clock),
      pause_(pause),
      beeper_(beeper),
      screenAtStart_(screenAtStart) {}

void ClickRecorder::ClearClickScript(Settings& working) {
    working.ClickIntervals.fill(0);
    working.ClickX.fill(0);
    working.ClickY.fill(0);
    working.ClickCount = 0;
}

void ClickRecorder::StartIntervalClock() { LastClickTime = clock_.NowMs(); }

void ClickRecorder::RecordInterval(Settings& working) {
    std::uint32_t now = clock_.NowMs();
    // The clock wraps; the difference of two readings is taken modulo 2^32.
    working.ClickIntervals[working.ClickCount] = static_cast<std::int32_t>(now - LastClickTime);
    LastClickTime = now;
}

void ClickRecorder::RecordCursorPosition(Settings& working) {
    PointerPos pos = pointer_.Position();
    working.ClickX[working.ClickCount] = ScaleToScript(screenAtStart_.width, pos.x, 640.0);
    working.ClickY[working.ClickCount] = ScaleToScript(screenAtStart_.height, pos.y, 480.0);
}

void ClickRecorder::RecordClicks(Settings& working) {
    StopRecording = false;
    while (!StopRecording) {
        // The button is tested before F5, so F5 during a press waits for its release.
        while (true) {
            if (keys_.LeftButtonDown()) break;
            if (keys_.F5Down()) {
                StopRecording = true;
                break;
            }
            pause_();
        }
        while (keys_.LeftButtonDown()) {
            if (StopRecording) return;
            pause_();
        }
        if (StopRecording) return;
        ++working.ClickCount;
        RecordInterval(working);
        RecordCursorPosition(working);
        beeper_.Beep();
        // A full script ends the recording as F5 would; a 256th click has no room.
        if (working.ClickCount == kMaxClicks) StopRecording = true;
    }
}

}  // namespace vx
