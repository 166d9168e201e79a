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
using Outcome = LaunchResult::Outcome;

// Programs: "family" starts a child living 1 s and ends itself after 0.3 s;
// "missing" does not exist; "windows" is a Windows program where wine is missing.
struct ScriptedLaunchHarness : ScriptedDesk {
    std::string Program(const std::string& kind) {
        launchOutcome = kind == "family"    ? Outcome::Started
                        : kind == "missing" ? Outcome::Failed
                                            : Outcome::WineMissing;
        gameWindowAfterMs.reset();
        gameEndsAfterMs = 1000;
        return "/games/" + kind;
    }
    std::int64_t Child() { return *gameChildren.insert(kGamePid + 1).first; }
};

struct RealLaunchHarness : QtProcessLauncher, ProcProcessFamily {
    RealLaunchHarness() : QtProcessLauncher(true) {}
    ~RealLaunchHarness() override { ::setenv("PATH", path.c_str(), 1); }
    std::string Program(const std::string& kind) {
        if (kind == "missing") return folder.Path("missing.exe");
        if (kind == "family")
            return folder.WriteFile("family",
                                    "#!/bin/sh\nsleep 1 &\necho $! >c\nmv c '" +
                                        folder.Path("child") + "'\nsleep 0.3\n",
                                    true);
        ::setenv("PATH", folder.Root().c_str(), 1);
        return folder.WriteFile("gpl.exe", std::string("MZ\x90\x00", 4), true);
    }
    std::int64_t Child() {
        std::int64_t pid = 0;
        for (int i = 0; i < 250 && !(std::ifstream(folder.Path("child")) >> pid); ++i) Advance(20);
        return pid;
    }
    void Advance(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    std::string path = std::getenv("PATH");
    testing::ScratchFolder folder;
};

template <class Harness>
struct LaunchContract : ::testing::Test {
    LaunchResult Launch(const std::string& kind) { return h.Launch(h.Program(kind), "/tmp"); }
    Harness h;
};
using LaunchHarnesses = ::testing::Types<ScriptedLaunchHarness, RealLaunchHarness>;
TYPED_TEST_SUITE(LaunchContract, LaunchHarnesses);

// What a program started keeps running after it ended itself, and belongs to it.
TYPED_TEST(LaunchContract, AStartedProgramIsFollowedWithWhatItStartedUntilAllHaveEnded) {
    ProcessFamily& family = this->h;
    const LaunchResult started = this->Launch("family");
    ASSERT_TRUE(started.Started());
    family.Follow(started.pid);
    const std::int64_t child = this->h.Child();
    EXPECT_TRUE(family.Contains(started.pid) && family.Contains(child) && !family.Contains(1));
    this->h.Advance(600);
    EXPECT_TRUE(family.Running() && family.Contains(child));
    for (int i = 0; i < 100 && family.Running(); ++i) this->h.Advance(50);
    EXPECT_FALSE(family.Running());
    EXPECT_EQ(this->Launch("missing").outcome, Outcome::Failed);
    EXPECT_EQ(this->Launch("windows").outcome, Outcome::WineMissing);
}

// PostAfter: a message after `ms`; WakeAfter: a descriptor readable after `ms`.
struct ScriptedWaitHarness : ScriptedDesk {
    ScriptedWaitHarness() { Start(); }
    void PostAfter(std::uint32_t ms, std::function<void()> handler) { Message(ms, handler); }
    int WakeAfter(std::uint32_t ms) {
        After(ms, [](ScriptedDesk& d) { d.PressLeft({}); });
        return WakeHandle();
    }
    static constexpr std::uint32_t kSlackMs = 0;
};

struct RealWaitHarness : SteadyMillisecondClock, ThreadSleeper, QtEventPump {
    RealWaitHarness() { (void)!::pipe2(pipe, O_CLOEXEC); }
    ~RealWaitHarness() override {
        if (writer.joinable()) writer.join();
        ::close(pipe[0]);
        ::close(pipe[1]);
    }
    void PostAfter(std::uint32_t ms, std::function<void()> handler) {
        QTimer::singleShot(static_cast<int>(ms), handler);
    }
    int WakeAfter(std::uint32_t ms) {
        writer = std::thread([this, ms] {
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            (void)!::write(pipe[1], "x", 1);
        });
        return pipe[0];
    }
    // A busy machine may wake a sleeper late, never early.
    static constexpr std::uint32_t kSlackMs = 300;
    int pipe[2] = {-1, -1};
    std::thread writer;
};

template <class Harness>
struct WaitContract : ::testing::Test {
    std::uint32_t Elapsed(const std::function<void()>& wait) {
        const std::uint32_t start = h.NowMs();
        wait();
        return h.NowMs() - start;
    }
    Harness h;
};
using WaitHarnesses = ::testing::Types<ScriptedWaitHarness, RealWaitHarness>;
TYPED_TEST_SUITE(WaitContract, WaitHarnesses);

// The clock counts what a sleep takes, and no sleep takes nothing. A wait for events
// ends at a message (which it runs) or its descriptor, and at its deadline at the
// latest; with nothing happening it does not spin.
TYPED_TEST(WaitContract, SleepsAndWaitsTakeWhatTheyShould) {
    const std::uint32_t slack = TypeParam::kSlackMs;
    const std::uint32_t slept = this->Elapsed([&] { this->h.SleepMs(40); });
    EXPECT_TRUE(slept >= 40 && slept <= 40 + slack) << slept;
    EXPECT_LE(this->Elapsed([&] { this->h.SleepMs(0), this->h.SleepMs(-50); }), slack / 10);
    EventPump& pump = this->h;
    int wakes = 0;
    const std::uint32_t idle = this->Elapsed([&] {
        for (std::uint32_t passed = 0; passed < 200; passed += this->Elapsed([&] {
                 pump.AwaitEvents(static_cast<std::int32_t>(200 - passed), -1);
             }))
            ++wakes;
    });
    EXPECT_TRUE(idle <= 200 + slack && wakes <= 5) << idle << " " << wakes;
    bool ran = false;
    this->h.PostAfter(30, [&] { ran = true; });
    EXPECT_LE(this->Elapsed([&] {
        for (int i = 0; i < 10 && !ran; ++i) pump.AwaitEvents(2000, -1);
    }),
              30 + slack);
    EXPECT_TRUE(ran);
    const int wake = this->h.WakeAfter(30);
    EXPECT_LE(this->Elapsed([&] { pump.AwaitEvents(2000, wake); }), 30 + slack);
}

}  // namespace
}  // namespace vx
