// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The contracts of process launching and of the remote's waits (clock, sleeper,
// event pump), on the scripted desk and on the implementations the program uses.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "platform/posix/posix_timing.h"
#include "platform/posix/proc_process_family.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_process_launcher.h"
#include "support/scratch_folder.h"
#include "support/scripted_desk.h"

namespace vx {
namespace {

using testing::ScriptedDesk;

// Programs: "family" starts a child living 1 s and ends after 0.3 s itself;
// "missing" does not exist; "windows" is a Windows program on a desktop without wine.
struct ScriptedLaunchHarness {
    ProcessLauncher& Launcher() { return desk; }
    ProcessFamily& Family() { return desk; }
    std::string Program(const std::string& kind) {
        desk.launchOutcome = kind == "family"    ? LaunchResult::Outcome::Started
                             : kind == "missing" ? LaunchResult::Outcome::Failed
                                                 : LaunchResult::Outcome::WineMissing;
        desk.gameWindowAfterMs.reset();
        desk.gameEndsAfterMs = 1000;
        return "/games/" + kind;
    }
    std::int64_t Child() {
        desk.gameChildren.insert(ScriptedDesk::kGamePid + 1);
        return ScriptedDesk::kGamePid + 1;
    }
    void Pass(std::uint32_t ms) { desk.Advance(ms); }
    std::string Folder() { return "/games"; }
    ScriptedDesk desk;
};

struct RealLaunchHarness {
    ProcessLauncher& Launcher() { return launcher; }
    ProcessFamily& Family() { return family; }
    std::string Program(const std::string& kind) {
        if (kind == "family")
            return folder.WriteFile("family",
                                    "#!/bin/sh\nsleep 1 &\necho $! > child.tmp\nmv child.tmp "
                                    "child\nsleep 0.3\n",
                                    true);
        if (kind == "missing") return folder.Path("missing.exe");
        // Without wine on the PATH while it is launched.
        ::setenv("PATH", folder.Root().c_str(), 1);
        return folder.WriteFile("gpl.exe", std::string("MZ\x90\x00", 4), true);
    }
    std::int64_t Child() {
        std::int64_t pid = 0;
        for (int i = 0; i < 250 && !(std::ifstream(folder.Path("child")) >> pid); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return pid;
    }
    void Pass(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    std::string Folder() { return folder.Root(); }
    ~RealLaunchHarness() { ::setenv("PATH", path.c_str(), 1); }

    std::string path = std::getenv("PATH");
    testing::ScratchFolder folder;
    QtProcessLauncher launcher{true};
    ProcProcessFamily family;
};

template <class Harness>
struct LaunchContract : ::testing::Test {
    Harness harness;
};
using LaunchHarnesses = ::testing::Types<ScriptedLaunchHarness, RealLaunchHarness>;
TYPED_TEST_SUITE(LaunchContract, LaunchHarnesses);

// What a program started keeps running after it ended itself, and belongs to it.
TYPED_TEST(LaunchContract, AStartedProgramIsFollowedWithWhatItStartedUntilAllHaveEnded) {
    ProcessFamily& family = this->harness.Family();
    const LaunchResult started =
        this->harness.Launcher().Launch(this->harness.Program("family"), this->harness.Folder());
    ASSERT_TRUE(started.Started());
    family.Follow(started.pid);
    const std::int64_t child = this->harness.Child();
    EXPECT_TRUE(family.Contains(started.pid) && family.Contains(child));
    EXPECT_FALSE(family.Contains(1));
    this->harness.Pass(600);
    EXPECT_TRUE(family.Running());
    EXPECT_TRUE(family.Contains(child));
    for (int i = 0; i < 100 && family.Running(); ++i) this->harness.Pass(50);
    EXPECT_FALSE(family.Running());
}

TYPED_TEST(LaunchContract, AProgramThatCannotStartSaysWhy) {
    ProcessLauncher& launcher = this->harness.Launcher();
    EXPECT_EQ(launcher.Launch(this->harness.Program("missing"), this->harness.Folder()).outcome,
              LaunchResult::Outcome::Failed);
    EXPECT_EQ(launcher.Launch(this->harness.Program("windows"), this->harness.Folder()).outcome,
              LaunchResult::Outcome::WineMissing);
}

// A message after `ms`, and a descriptor readable after `ms`.
struct ScriptedWaitHarness {
    MillisecondClock& Clock() { return desk; }
    Sleeper& Sleep() { return desk; }
    EventPump& Pump() { return desk; }
    void PostAfter(std::uint32_t ms, std::function<void()> handler) {
        desk.Message(ms, std::move(handler));
    }
    int WakeAfter(std::uint32_t ms) {
        desk.After(ms, [](ScriptedDesk& d) { d.PressLeft({}); });
        return desk.WakeHandle();
    }
    ScriptedWaitHarness() { desk.Start(); }
    // The desk's clock is exact.
    static constexpr std::uint32_t kSlackMs = 0;
    ScriptedDesk desk;
};

struct RealWaitHarness {
    MillisecondClock& Clock() { return clock; }
    Sleeper& Sleep() { return sleeper; }
    EventPump& Pump() { return pump; }
    void PostAfter(std::uint32_t ms, std::function<void()> handler) {
        QTimer::singleShot(static_cast<int>(ms), std::move(handler));
    }
    int WakeAfter(std::uint32_t ms) {
        writer = std::thread([this, ms] {
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            (void)!::write(pipe[1], "x", 1);
        });
        return pipe[0];
    }
    RealWaitHarness() { (void)!::pipe2(pipe, O_CLOEXEC); }
    ~RealWaitHarness() {
        if (writer.joinable()) writer.join();
        ::close(pipe[0]);
        ::close(pipe[1]);
    }
    // A busy machine may wake a sleeper late, never early.
    static constexpr std::uint32_t kSlackMs = 300;
    SteadyMillisecondClock clock;
    ThreadSleeper sleeper;
    QtEventPump pump;
    int pipe[2] = {-1, -1};
    std::thread writer;
};

template <class Harness>
struct WaitContract : ::testing::Test {
    std::uint32_t Elapsed(const std::function<void()>& wait) {
        const std::uint32_t start = harness.Clock().NowMs();
        wait();
        return harness.Clock().NowMs() - start;
    }
    Harness harness;
};
using WaitHarnesses = ::testing::Types<ScriptedWaitHarness, RealWaitHarness>;
TYPED_TEST_SUITE(WaitContract, WaitHarnesses);

TYPED_TEST(WaitContract, TheClockCountsWhatASleepTakesAndNoSleepTakesNothing) {
    const std::uint32_t slack = TypeParam::kSlackMs;
    const std::uint32_t slept = this->Elapsed([&] { this->harness.Sleep().SleepMs(40); });
    EXPECT_GE(slept, 40u);
    EXPECT_LE(slept, 40 + slack);
    EXPECT_LE(this->Elapsed([&] {
        this->harness.Sleep().SleepMs(0);
        this->harness.Sleep().SleepMs(-50);
    }),
              slack / 10);
}

// A wait for events ends at a message (which it runs) or its descriptor, and at its
// deadline at the latest; with nothing happening it does not spin.
TYPED_TEST(WaitContract, AWaitForEventsEndsAtTheFirstOfDeadlineMessageAndDescriptor) {
    const std::uint32_t slack = TypeParam::kSlackMs;
    EventPump& pump = this->harness.Pump();
    int wakes = 0;
    const std::uint32_t idle = this->Elapsed([&] {
        const std::uint32_t start = this->harness.Clock().NowMs();
        for (std::uint32_t passed = 0; passed < 200;
             passed = this->harness.Clock().NowMs() - start, ++wakes)
            pump.AwaitEvents(static_cast<std::int32_t>(200 - passed), -1);
    });
    EXPECT_LE(idle, 200 + slack);
    EXPECT_LE(wakes, 5);
    bool ran = false;
    this->harness.PostAfter(30, [&] { ran = true; });
    const std::uint32_t messaged = this->Elapsed([&] {
        for (int i = 0; i < 10 && !ran; ++i) pump.AwaitEvents(2000, -1);
    });
    EXPECT_TRUE(ran);
    EXPECT_LE(messaged, 30 + slack);
    const int wake = this->harness.WakeAfter(30);
    EXPECT_LE(this->Elapsed([&] { pump.AwaitEvents(2000, wake); }), 30 + slack);
}

}  // namespace
}  // namespace vx
