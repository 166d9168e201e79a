// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The X11 input watch's own paths: the auto-repeat filter, and the fall-back on an
// X server without RECORD (a private Xvfb started without it).
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/x11/x11_input_watch.h"
#include "platform/x11/xtest_hand.h"

// After the project's headers: Xlib's macros would clash with their names.
#include <X11/Xlib.h>
#include <X11/keysym.h>

extern char** environ;

namespace vx::testing {
namespace {

using Kind = InputEvent::Kind;
using namespace std::chrono_literals;

std::vector<Kind> Kinds(const std::vector<InputEvent>& events) {
    std::vector<Kind> kinds;
    for (const InputEvent& e : events) kinds.push_back(e.kind);
    return kinds;
}

// What arrives within a second, once something has.
std::vector<InputEvent> TakeArrived(InputWatch& watch) {
    for (int i = 0; i < 200 && !watch.Pending(); ++i) std::this_thread::sleep_for(5ms);
    return watch.Take();
}

// A held key repeats as a release and a press at one moment; neither is reported,
// and a release while the key is still down waits for what settles it.
TEST(X11InputWatch, AKeyHeldDownIsOnePressAndOneRelease) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "needs an X display";
    DisplayInputLock lock;
    XTestHand hand;
    ASSERT_TRUE(hand.IsOpen());
    hand.LetGo();
    X11InputWatch watch;
    ASSERT_TRUE(watch.Start());
    ASSERT_GE(watch.WakeHandle(), 0) << "the test's display has RECORD";
    Display* d = XOpenDisplay(nullptr);
    const unsigned f5 = XKeysymToKeycode(d, XK_F5);
    XCloseDisplay(d);
    for (const auto& [type, time] : {std::pair{KeyPress, 10u},
                                     {KeyRelease, 50u},
                                     {KeyPress, 50u},
                                     {KeyPress, 70u},
                                     {KeyRelease, 90u}})
        watch.Recorded({type, f5, time, {}});
    const std::vector<InputEvent> taken = watch.Take();
    EXPECT_EQ(Kinds(taken), (std::vector<Kind>{Kind::F5Press, Kind::F5Press, Kind::F5Release}));
    EXPECT_EQ(taken.back().timeMs, 90u);

    hand.HoldF5(true);
    EXPECT_EQ(Kinds(TakeArrived(watch)), std::vector<Kind>{Kind::F5Press});
    watch.Recorded({KeyRelease, f5, 120, {}});
    EXPECT_TRUE(watch.Take().empty());
    EXPECT_FALSE(watch.Pending());
    hand.HoldF5(false);
    const std::vector<InputEvent> settled = TakeArrived(watch);
    ASSERT_FALSE(settled.empty());
    EXPECT_TRUE(settled.front().kind == Kind::F5Release && settled.front().timeMs == 120u);
}

// An Xvfb of its own on a free display, without the RECORD extension.
class ServerWithoutRecord {
  public:
    ServerWithoutRecord() {
        for (int n = 90; n < 100 && pid_ == 0; ++n) {
            if (std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock") ||
                std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n)))
                continue;
            name_ = ":" + std::to_string(n);
            std::vector<std::string> args{"Xvfb", name_,     "-extension", "RECORD",    "-nolisten",
                                          "tcp",  "-screen", "0",          "640x480x24"};
            std::vector<char*> argv;
            for (std::string& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            if (posix_spawnp(&pid_, "Xvfb", nullptr, nullptr, argv.data(), environ) != 0) return;
        }
        for (int i = 0; i < 250 && pid_ != 0; ++i) {
            if (Display* d = XOpenDisplay(name_.c_str())) {
                XCloseDisplay(d);
                return;
            }
            std::this_thread::sleep_for(20ms);
        }
        name_.clear();
    }
    ~ServerWithoutRecord() {
        if (pid_ == 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    // Empty when it did not come up.
    const std::string& Name() const { return name_; }

  private:
    pid_t pid_ = 0;
    std::string name_;
};

// Without RECORD (which this server drops together with XTEST) the watch falls back
// to sampling the server's state: it starts, reports no input that did not happen,
// and tells the waits that it cannot wake them.
TEST(X11InputWatch, WithoutRecordItFallsBackToSampling) {
    ServerWithoutRecord server;
    if (server.Name().empty()) GTEST_SKIP() << "Xvfb could not be started";
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display != nullptr ? display : "";
    ::setenv("DISPLAY", server.Name().c_str(), 1);
    X11InputWatch watch;
    saved.empty() ? ::unsetenv("DISPLAY") : ::setenv("DISPLAY", saved.c_str(), 1);
    ASSERT_TRUE(watch.Start());
    EXPECT_LT(watch.WakeHandle(), 0);
    const std::uint32_t start = watch.NowMs();
    std::this_thread::sleep_for(30ms);
    EXPECT_FALSE(watch.Pending());
    EXPECT_TRUE(watch.Take().empty());
    EXPECT_GE(watch.NowMs() - start, 30u);
}

}  // namespace
}  // namespace vx::testing
