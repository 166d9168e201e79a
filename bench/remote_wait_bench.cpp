// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench_folder.h"
#include "platform/message_box.h"
#include "platform/posix/posix_timing.h"
#include "platform/posix/proc_process_family.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_process_launcher.h"
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_game_windows.h"
#include "platform/x11/x11_input_watch.h"
#include "platform/x11/x11_key_sender.h"
#include "platform/x11/x11_mouse_injector.h"
#include "remote/click_recorder.h"
#include "remote/click_script_remote.h"
#include "remote/remote_waits.h"
#include "remote/shutdown_keys.h"
#include "standin_window.h"

// After the project's headers: Xlib's macros (ButtonPress, Button1) would clash.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace vx::bench {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// The local X server of DISPLAY, found by its command line, for its CPU time.
std::optional<int> ServerPid() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr) return std::nullopt;
    const std::string name = std::string(display).substr(0, std::string(display).find('.'));
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string pid = entry.path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream in(entry.path() / "cmdline", std::ios::binary);
        std::vector<std::string> args;
        for (std::string arg; std::getline(in, arg, '\0');) args.push_back(arg);
        if (args.empty()) continue;
        const std::string program = std::filesystem::path(args[0]).filename().string();
        if (program != "Xvfb" && program != "Xorg" && program != "Xwayland") continue;
        if (std::find(args.begin(), args.end(), name) != args.end()) return std::stoi(pid);
    }
    return std::nullopt;
}

double ServerCpuSeconds(std::optional<int> pid) {
    if (!pid) return 0;
    std::ifstream in("/proc/" + std::to_string(*pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), {});
    // The fields after the command's closing parenthesis; utime and stime are 14 and 15.
    std::istringstream rest(stat.substr(stat.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i)
        if (i >= 14) ticks += std::stod(field);
    return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

// The user's hand on a connection of its own, on its own thread.
class Hand {
  public:
    Hand() : d_(XOpenDisplay(nullptr)) {}
    ~Hand() {
        if (d_ != nullptr) XCloseDisplay(d_);
    }
    Hand(const Hand&) = delete;
    Hand& operator=(const Hand&) = delete;
    bool IsOpen() const { return d_ != nullptr; }
    void F5(bool down) {
        XTestFakeKeyEvent(d_, XKeysymToKeycode(d_, XK_F5), down, CurrentTime);
        XSync(d_, False);
    }
    void Left(bool down) {
        XTestFakeButtonEvent(d_, Button1, down, CurrentTime);
        XSync(d_, False);
    }
    void MoveTo(int x, int y) {
        XTestFakeMotionEvent(d_, DefaultScreen(d_), x, y, CurrentTime);
        XSync(d_, False);
    }

  private:
    Display* d_;
};

class SilentBoxes : public MessageBoxes {
  public:
    BoxAnswer Show(const std::string&, const std::string&, BoxIcon, BoxButtons,
                   BoxAnswer) override {
        return BoxAnswer::Ok;
    }
    int Choose(const std::string&, const std::string&, BoxIcon, const std::vector<std::string>&,
               int defaultButton, int) override {
        return defaultButton;
    }
};

class SilentBeeper : public Beeper {
  public:
    void Beep() override {}
};

// Notes when the first Escape has reached the server.
class TimedKeySender : public KeySender {
  public:
    explicit TimedKeySender(KeySender& keys) : keys_(keys) {}
    void Send(SentKey key) override {
        keys_.Send(key);
        if (key == SentKey::Escape && !firstEscape) firstEscape = Clock::now();
    }
    std::optional<Clock::time_point> firstEscape;

  private:
    KeySender& keys_;
};

// The remote's parts on the X server of DISPLAY.
struct Desktop {
    X11Connection connection;
    X11MouseInjector mouse{connection};
    X11InputWatch watch;
    X11GameWindows windows;
    X11KeySender keys{connection};
    SteadyMillisecondClock clock;
    ThreadSleeper sleeper;
    QtEventPump pump;
    QtProcessLauncher launcher{connection.IsOpen()};
    ProcProcessFamily family;
    GameWindowTracker game{windows, family, clock};
    RemoteWaits waits{pump, clock, watch, game};
    bool Available() const { return connection.CanInject(); }
};

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The processor share of the wait for F5, the X server's included: the user
// presses F5 after ten seconds and holds it 50 ms.
void WaitForF5(benchmark::State& state) {
    Desktop desk;
    Hand hand;
    if (!desk.Available() || !hand.IsOpen()) {
        state.SkipWithError("needs an X display with XTEST");
        return;
    }
    const std::optional<int> server = ServerPid();
    double cpu = 0, serverCpu = 0, wall = 0;
    for (auto _ : state) {
        const double cpuBefore = ProcessCpuSeconds();
        const double serverBefore = ServerCpuSeconds(server);
        const Clock::time_point start = Clock::now();
        desk.watch.Start();
        std::thread user([&] {
            std::this_thread::sleep_for(milliseconds(10000));
            hand.F5(true);
            std::this_thread::sleep_for(milliseconds(50));
            hand.F5(false);
        });
        F5Tracker f5(desk.watch);
        f5.WaitForShutdownKey(desk.waits);
        user.join();
        desk.watch.Stop();
        wall += std::chrono::duration<double>(Clock::now() - start).count();
        cpu += ProcessCpuSeconds() - cpuBefore;
        serverCpu += ServerCpuSeconds(server) - serverBefore;
    }
    if (wall > 0) {
        state.counters["cpu_percent"] = 100.0 * (cpu + serverCpu) / wall;
        state.counters["server_percent"] = 100.0 * serverCpu / wall;
    }
}

// 200 clicks of 1 ms, 9 ms apart, recorded: how many were missed, and how far the
// recorded intervals stray from those the hand made.
void RecordShortClicks(benchmark::State& state) {
    constexpr int kClicks = 200;
    Desktop desk;
    Hand hand;
    if (!desk.Available() || !hand.IsOpen()) {
        state.SkipWithError("needs an X display with XTEST");
        return;
    }
    SilentBeeper beeper;
    int missed = 0;
    double worstError = 0;
    for (auto _ : state) {
        Settings working;
        ClickRecorder recorder(desk.watch, desk.mouse, desk.waits, beeper,
                               desk.mouse.ScreenSizePixels());
        ClickRecorder::ClearClickScript(working);
        desk.watch.Start();
        recorder.StartIntervalClock();
        std::vector<Clock::time_point> releases;
        std::thread user([&] {
            hand.MoveTo(10, 10);
            for (int i = 0; i < kClicks; ++i) {
                std::this_thread::sleep_for(milliseconds(9));
                hand.Left(true);
                std::this_thread::sleep_for(milliseconds(1));
                hand.Left(false);
                releases.push_back(Clock::now());
            }
            hand.F5(true);
            hand.F5(false);
        });
        recorder.RecordClicks(working);
        user.join();
        desk.watch.Stop();
        missed += kClicks - working.ClickCount;
        for (std::size_t i = 2; i <= working.ClickCount && i <= releases.size(); ++i) {
            const double made = Ms(releases[i - 1] - releases[i - 2]);
            worstError = std::max(worstError, std::abs(working.ClickIntervals[i] - made));
        }
    }
    state.counters["missed"] = missed;
    state.counters["max_error_ms"] = worstError;
}

// A replay of ten clicks 20 ms apart against its schedule: each press is due at the
// script's interval, the 100 ms before the click and the clicks' 250 ms after the
// start, and is timed by the server's own stamp.
void ReplaySchedule(benchmark::State& state) {
    constexpr int kClicks = 10;
    Desktop desk;
    X11InputWatch presses;
    if (!desk.Available()) {
        state.SkipWithError("needs an X display with XTEST");
        return;
    }
    SilentBoxes boxes;
    SilentBeeper beeper;
    ClickScriptRemote remote(
        RemotePlatform{desk.mouse, desk.watch, desk.clock, desk.sleeper, desk.pump, desk.keys,
                       desk.launcher, desk.family, desk.windows},
        boxes, beeper);
    // The replay clicks only into the game's window: this program's own stand-in.
    const std::filesystem::path folder = std::filesystem::path(BenchFolder()) / "game";
    std::filesystem::create_directories(folder);
    {
        std::ofstream game(folder / "gpl.exe");
        game << "#!/bin/sh\nexec '" << std::filesystem::read_symlink("/proc/self/exe").string()
             << "' " << kStandInOption << "\n";
    }
    std::filesystem::permissions(folder / "gpl.exe", std::filesystem::perms::owner_all);
    std::filesystem::remove(folder / "stop");
    const bool launched = remote.LaunchGame(folder.string());
    struct Stop {
        std::filesystem::path file;
        ~Stop() { std::ofstream{file}; }
    } stop{folder / "stop"};
    // Its window is there before the schedule starts.
    for (int i = 0; i < 200 && launched && remote.LookForGame(); ++i)
        std::this_thread::sleep_for(milliseconds(25));
    if (!launched || remote.LookForGame()) {
        state.SkipWithError("the stand-in game did not show its window");
        return;
    }
    Settings script;
    script.ClickCount = kClicks;
    for (std::size_t i = 1; i <= kClicks; ++i) {
        script.ClickIntervals[i] = 20;
        script.ClickX[i] = static_cast<std::int32_t>(10 * i);
        script.ClickY[i] = 10;
    }
    std::vector<double> errors;
    for (auto _ : state) {
        presses.Start();
        const std::uint32_t start = presses.NowMs();
        remote.ReplayClickScript(script);
        std::uint32_t due = start;
        int k = 0;
        for (const InputEvent& e : presses.Take()) {
            if (e.kind != InputEvent::Kind::LeftPress) continue;
            ++k;
            due += static_cast<std::uint32_t>(script.ClickIntervals[static_cast<std::size_t>(k)]) +
                   100 + (k > 1 ? 250 : 0);
            errors.push_back(
                std::abs(static_cast<double>(static_cast<std::int32_t>(e.timeMs - due))));
        }
        presses.Stop();
        if (k != kClicks) {
            state.SkipWithError("not every replayed press was seen");
            return;
        }
    }
    state.counters["median_ms"] = Median(errors);
    state.counters["worst_ms"] =
        errors.empty() ? 0 : *std::max_element(errors.begin(), errors.end());
}

// From the release of F5 to the first Escape at the server.
void F5ToFirstEscape(benchmark::State& state) {
    Desktop desk;
    Hand hand;
    if (!desk.Available() || !hand.IsOpen()) {
        state.SkipWithError("needs an X display with XTEST");
        return;
    }
    std::vector<double> latencies;
    for (auto _ : state) {
        TimedKeySender keys(desk.keys);
        desk.watch.Start();
        Clock::time_point released;
        std::thread user([&] {
            std::this_thread::sleep_for(milliseconds(30));
            hand.F5(true);
            std::this_thread::sleep_for(milliseconds(20));
            hand.F5(false);
            released = Clock::now();
        });
        F5Tracker f5(desk.watch);
        f5.WaitForShutdownKey(desk.waits);
        desk.watch.Stop();
        SendShutdownKeys(keys, desk.waits, 0, [] { return true; });
        user.join();
        if (keys.firstEscape) latencies.push_back(Ms(*keys.firstEscape - released));
    }
    state.counters["latency_ms"] = Median(latencies);
    state.counters["worst_ms"] =
        latencies.empty() ? 0 : *std::max_element(latencies.begin(), latencies.end());
}

}  // namespace

int RunStandInGame() {
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) return 1;
    const int screen = DefaultScreen(d);
    const Window window = XCreateSimpleWindow(
        d, RootWindow(d, screen), 0, 0, DisplayWidth(d, screen), DisplayHeight(d, screen), 0, 0, 0);
    const long pid = ::getpid();
    XChangeProperty(d, window, XInternAtom(d, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    XMapRaised(d, window);
    XSync(d, False);
    for (int i = 0; i < 1200 && !std::filesystem::exists("stop"); ++i)
        std::this_thread::sleep_for(milliseconds(50));
    XCloseDisplay(d);
    return 0;
}

namespace {

BENCHMARK(WaitForF5)
    ->Name("Remote/WaitForF5")
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(RecordShortClicks)
    ->Name("Remote/RecordShortClicks")
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ReplaySchedule)
    ->Name("Remote/ReplaySchedule")
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(F5ToFirstEscape)
    ->Name("Remote/F5ToFirstEscape")
    ->Iterations(20)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vx::bench
