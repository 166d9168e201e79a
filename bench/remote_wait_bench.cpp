#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

#include "platform/input_state.h"
#include "platform/poll_pause.h"
#include "platform/posix/posix_timing.h"
#include "platform/qt/qt_event_pump.h"
#include "remote/shutdown_keys.h"

namespace vx::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kWait = std::chrono::milliseconds(1000);
constexpr auto kHeld = std::chrono::milliseconds(50);

// A user who presses F5 after the wait and holds it briefly. A press seen late,
// after the hold would have ended, still counts once, as the key's own latch would.
class F5AfterWait : public KeyState {
  public:
    explicit F5AfterWait(Clock::time_point start) : pressAt_(start + kWait) {}
    bool LeftButtonDown() override { return false; }
    bool F5Down() override {
        ++polls_;
        const Clock::time_point now = Clock::now();
        if (now < pressAt_) return false;
        if (!seenDown_) {
            seenDown_ = true;
            return true;
        }
        return now < pressAt_ + kHeld;
    }
    long Polls() const { return polls_; }

  private:
    Clock::time_point pressAt_;
    bool seenDown_ = false;
    long polls_ = 0;
};

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// The processor share of the game remote's wait for F5: the real pause between
// polls (the window's pending events, then a sleep) on a key state that reports
// F5 after a second. The share is the process's CPU time over the wall time of
// the wait, in percent of one core.
void WaitForF5(benchmark::State& state) {
    ThreadSleeper sleeper;
    QtEventPump pump;
    PollPause pause(pump, sleeper);
    double cpu = 0;
    double wall = 0;
    long polls = 0;
    for (auto _ : state) {
        const double cpuBefore = ProcessCpuSeconds();
        const Clock::time_point wallBefore = Clock::now();
        F5AfterWait keys(wallBefore);
        WaitForShutdownKey(keys, pause);
        const std::chrono::duration<double> waited = Clock::now() - wallBefore;
        cpu += ProcessCpuSeconds() - cpuBefore;
        wall += waited.count();
        polls += keys.Polls();
        if (waited < kWait + kHeld) {
            state.SkipWithError("the wait ended before F5 was released");
            break;
        }
    }
    if (wall > 0) {
        state.counters["cpu_percent"] = 100.0 * cpu / wall;
        state.counters["polls_per_s"] = static_cast<double>(polls) / wall;
    }
}

BENCHMARK(WaitForF5)
    ->Name("Remote/WaitForF5")
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vx::bench
