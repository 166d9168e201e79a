// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <stdexcept>

#include "platform/remote_platform.h"
#include "support/scripted_platform.h"

namespace vx::testing {

// A desktop on a virtual clock: sleeping advances time, the user's hand is a timeline
// of changes applied (as input events stamped with their own moment) when their time
// has come, and everything sent to the desktop is logged ("abs 32768 0", "down", ...).
struct ScriptedDesk : MouseInjector,
                      InputWatch,
                      PointerReader,
                      MillisecondClock,
                      Sleeper,
                      EventPump,
                      KeySender,
                      ProcessLauncher,
                      GameWindows {
    ScreenSize screen{1024, 768};
    std::uint32_t now = 1000;
    PointerPos pointer;
    LaunchResult::Outcome launchOutcome = LaunchResult::Outcome::Started;
    std::string workingFolder;
    bool displayAvailable = true;
    bool focusInOwnWindow = false;
    std::int64_t gamePid = 0;
    int frontLooks = 0;
    bool watching = false;
    std::map<WindowHandle, WindowRect> windows;
    std::vector<std::string> log;
    int pumps = 0;
    std::function<void()> onPump;
    // A wait that never ends fails the test instead of hanging it.
    std::uint32_t giveUpAfterMs = 600000;
    CountingBeeper beeper;
    // Beeps land in the log too, so their order against the rest is visible.
    ScriptedDesk() {
        beeper.onBeep = [this] { Log("beep"); };
    }

    RemotePlatform Platform() {
        return RemotePlatform{*this, *this, *this, *this, *this, *this, *this, *this};
    }

    // The hand: each change is an event at the moment it was scheduled for.
    void PressLeft(PointerPos at) {
        pointer = at;
        Input(InputEvent::Kind::LeftPress, HandTime());
    }
    void ReleaseLeft() { Input(InputEvent::Kind::LeftRelease, HandTime()); }
    void HoldF5(bool down) {
        Log(down ? "hand F5 down" : "hand F5 up");
        Input(down ? InputEvent::Kind::F5Press : InputEvent::Kind::F5Release, HandTime());
    }

    // Schedules a change of the user's hand `delay` ms from the current time.
    void After(std::uint32_t delay, std::function<void(ScriptedDesk&)> change) {
        timeline_.push_back({elapsed_ + delay, std::move(change)});
        std::stable_sort(timeline_.begin(), timeline_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    }

    void Log(const std::string& entry) { log.push_back(entry); }

    // The log with each run of pumps and rests as one "wait <ms>" (none if no time passed).
    std::vector<std::string> Events() const {
        std::vector<std::string> out;
        std::int64_t waited = 0;
        auto flush = [&] {
            if (waited > 0) out.push_back("wait " + std::to_string(waited));
            waited = 0;
        };
        for (const auto& entry : log) {
            const bool rest = entry.starts_with("sleep ");
            if (rest) waited += std::max(std::stoi(entry.substr(6)), 0);
            if (rest || entry == "pump") continue;
            flush();
            out.push_back(entry);
        }
        flush();
        return out;
    }

    // Events() without the waits: what was done, in order.
    std::vector<std::string> Actions() const { return Filtered(Events(), "wait ", false); }
    std::vector<std::string> WithPrefix(const std::string& prefix) const {
        return Filtered(log, prefix, true);
    }

    ScreenSize ScreenSizePixels() override { return screen; }
    void MoveAbsolute(std::int32_t nx, std::int32_t ny) override {
        Log("abs " + std::to_string(nx) + " " + std::to_string(ny));
        pointer = {ToPixel(nx, screen.width), ToPixel(ny, screen.height)};
    }
    void MoveRelative(std::int32_t dx, std::int32_t dy) override {
        Log("rel " + std::to_string(dx) + " " + std::to_string(dy));
        pointer = {pointer.x + dx, pointer.y + dy};
    }
    // The desktop sees injected input as it sees the hand's.
    void PressLeftButton() override {
        Log("down");
        Input(InputEvent::Kind::LeftPress, now);
    }
    void ReleaseLeftButton() override {
        Log("up");
        Input(InputEvent::Kind::LeftRelease, now);
    }
    void Wheel(std::int32_t amount) override { Log("wheel " + std::to_string(amount)); }
    WindowRect WindowRectangle(WindowHandle window) override {
        auto it = windows.find(window);
        return it == windows.end() ? WindowRect{} : it->second;
    }

    bool Start() override {
        Apply();
        watching = true;
        events_.clear();
        return true;
    }
    void Stop() override { watching = false; }
    std::vector<InputEvent> Take() override {
        Apply();
        return std::exchange(events_, {});
    }
    void Await(std::int32_t ms) override { SleepMs(ms); }
    PointerPos Position() override {
        Apply();
        return pointer;
    }
    std::uint32_t NowMs() override { return now; }
    void SleepMs(std::int32_t ms) override {
        Log("sleep " + std::to_string(ms));
        if (ms > 0) Advance(static_cast<std::uint32_t>(ms));
    }
    void ProcessPendingEvents() override {
        ++pumps;
        Log("pump");
        if (onPump) onPump();
    }
    void Send(SentKey key) override { Log(key == SentKey::Escape ? "key Escape" : "key Return"); }
    LaunchResult Launch(const std::string& path, const std::string& folder) override {
        Log("launch " + path);
        workingFolder = folder;
        return {launchOutcome, launchOutcome == LaunchResult::Outcome::Started ? 4711 : 0};
    }
    bool DisplayAvailable() override { return displayAvailable; }
    void GameStarted(std::int64_t pid) override { gamePid = pid; }
    void BringGameToFront() override { ++frontLooks; }
    bool FocusInOwnWindow() override { return focusInOwnWindow; }

    void Advance(std::uint32_t ms) {
        now += ms;
        elapsed_ += ms;
        if (elapsed_ > giveUpAfterMs) throw std::runtime_error("the wait never ended");
        Apply();
    }

  private:
    static std::vector<std::string> Filtered(const std::vector<std::string>& entries,
                                             const std::string& prefix, bool keep) {
        std::vector<std::string> out;
        for (const auto& e : entries)
            if (e.starts_with(prefix) == keep) out.push_back(e);
        return out;
    }
    static std::int32_t ToPixel(std::int32_t n, std::int32_t size) {
        if (size <= 0) return 0;
        auto pixel = static_cast<std::int32_t>(
            std::lround(std::clamp(n, 0, 65535) * double(size) / 65535.0));
        return std::clamp(pixel, 0, size - 1);
    }
    void Apply() {
        while (!timeline_.empty() && timeline_.front().first <= elapsed_) {
            auto change = std::move(timeline_.front().second);
            changeAt_ = now - static_cast<std::uint32_t>(elapsed_ - timeline_.front().first);
            timeline_.erase(timeline_.begin());
            applying_ = true;
            change(*this);
            applying_ = false;
        }
    }
    void Input(InputEvent::Kind kind, std::uint32_t at) {
        if (watching) events_.push_back({kind, at, pointer});
    }
    // A change of the timeline happened at its scheduled moment; outside one, now.
    std::uint32_t HandTime() const { return applying_ ? changeAt_ : now; }

    std::uint64_t elapsed_ = 0;
    std::uint32_t changeAt_ = 0;
    bool applying_ = false;
    std::vector<InputEvent> events_;
    std::vector<std::pair<std::uint64_t, std::function<void(ScriptedDesk&)>>> timeline_;
};

}  // namespace vx::testing
