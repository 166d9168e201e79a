// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <set>
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
                      ProcessFamily,
                      GameWindows {
    // A top-level window; the stack runs from the bottom to the top.
    struct DeskWindow {
        WindowHandle handle = 0;
        std::int64_t pid = 0;
        WindowRect rect;
    };
    static constexpr std::int64_t kGamePid = 4711;
    ScreenSize screen{1024, 768};
    std::uint32_t now = 1000;
    PointerPos pointer;
    LaunchResult::Outcome launchOutcome = LaunchResult::Outcome::Started;
    std::string workingFolder;
    bool displayAvailable = true;
    bool watching = false;
    // The game's window opens this long after the launch, over the whole screen;
    // nullopt: the game shows none.
    std::optional<std::uint32_t> gameWindowAfterMs = 0;
    // The game ends this long after the launch (its window closing).
    std::optional<std::uint32_t> gameEndsAfterMs;
    std::vector<DeskWindow> stack;
    WindowHandle focus = 0;
    // A window manager that keeps the focus where it is.
    bool refusesFocus = false;
    std::int64_t followed = 0;
    bool gameRunning = false;
    std::set<std::int64_t> gameChildren;
    std::set<WindowHandle> beforeLaunch;
    std::vector<WindowHandle> activated;
    std::vector<std::string> log;
    std::function<void()> onPump;
    CountingBeeper beeper;
    // Beeps land in the log too, so their order against the rest is visible.
    ScriptedDesk() {
        beeper.onBeep = [this] { Log("beep"); };
    }

    RemotePlatform Platform() {
        return RemotePlatform{*this, *this, *this, *this, *this, *this, *this, *this, *this};
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
        const auto w = std::ranges::find(stack, window, &DeskWindow::handle);
        return w == stack.end() ? WindowRect{} : w->rect;
    }

    // Maps a window on top of the others.
    WindowHandle OpenWindow(std::int64_t pid, WindowRect rect) {
        stack.push_back({nextHandle_++, pid, rect});
        return stack.back().handle;
    }
    WindowHandle OpenFullScreen(std::int64_t pid) {
        return OpenWindow(pid, {0, 0, screen.width, screen.height});
    }
    void CloseWindow(WindowHandle window) {
        std::erase_if(stack, [window](const DeskWindow& w) { return w.handle == window; });
        if (focus == window) focus = 0;
    }
    // The game's first window, 0 while it has none.
    WindowHandle GameWindow() const {
        const auto w = std::ranges::find(stack, kGamePid, &DeskWindow::pid);
        return w == stack.end() ? 0 : w->handle;
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
    bool Pending() override {
        Apply();
        return !events_.empty();
    }
    int WakeHandle() override { return watching ? 3 : -1; }
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
        Log("pump");
        if (onPump) onPump();
        for (auto& handler : std::exchange(messages_, {})) handler();
    }
    // A message for the windows `delay` ms from now (a key pressed in the editor), run
    // by the next pump.
    void Message(std::uint32_t delay, std::function<void()> handler) {
        After(delay, [handler](ScriptedDesk& d) { d.messages_.push_back(handler); });
    }
    // Blocking ends early at the hand's next change: input, a window, the game's end.
    void AwaitEvents(std::int32_t ms, int) override {
        Apply();
        std::int64_t rest = ms;
        if (!timeline_.empty())
            rest = std::min<std::int64_t>(
                rest, static_cast<std::int64_t>(timeline_.front().first - elapsed_));
        SleepMs(static_cast<std::int32_t>(std::max<std::int64_t>(rest, 0)));
        for (auto& handler : std::exchange(messages_, {})) handler();
    }
    void Send(SentKey key) override { Log(key == SentKey::Escape ? "key Escape" : "key Return"); }
    LaunchResult Launch(const std::string& path, const std::string& folder) override {
        Log("launch " + path);
        workingFolder = folder;
        if (launchOutcome != LaunchResult::Outcome::Started) return {launchOutcome, 0};
        // The game of the run before has ended.
        std::erase_if(stack, [](const DeskWindow& w) { return w.pid == kGamePid; });
        gameRunning = true;
        if (gameWindowAfterMs)
            After(*gameWindowAfterMs, [](ScriptedDesk& d) { d.OpenFullScreen(kGamePid); });
        if (gameEndsAfterMs)
            After(*gameEndsAfterMs, [](ScriptedDesk& d) {
                d.gameRunning = false;
                d.CloseWindow(d.GameWindow());
            });
        return {launchOutcome, kGamePid};
    }
    void Follow(std::int64_t pid) override { followed = pid; }
    bool Contains(std::int64_t pid) override {
        return pid != 0 && (pid == followed || gameChildren.count(pid) != 0);
    }
    bool Running() override {
        Apply();
        return followed == kGamePid && gameRunning;
    }

    bool DisplayAvailable() override { return displayAvailable; }
    void GameStarted() override {
        beforeLaunch.clear();
        for (const DeskWindow& w : stack) beforeLaunch.insert(w.handle);
    }
    std::vector<TopLevelWindow> NewWindows() override {
        Apply();
        std::vector<TopLevelWindow> fresh;
        for (const DeskWindow& w : stack)
            if (beforeLaunch.count(w.handle) == 0 && w.pid != kOwnPid)
                fresh.push_back({w.handle, w.pid});
        std::ranges::sort(fresh, {}, &TopLevelWindow::handle);
        return fresh;
    }
    void Activate(WindowHandle window) override {
        activated.push_back(window);
        if (!refusesFocus && std::ranges::find(stack, window, &DeskWindow::handle) != stack.end())
            focus = window;
    }
    bool HasFocus(WindowHandle window) override {
        Apply();
        return window != 0 && focus == window;
    }
    bool UnderPointer(WindowHandle window) override {
        Apply();
        for (auto w = stack.rbegin(); w != stack.rend(); ++w) {
            const WindowRect& r = w->rect;
            if (pointer.x >= r.left && pointer.x < r.right && pointer.y >= r.top &&
                pointer.y < r.bottom)
                return w->handle == window;
        }
        return false;
    }
    // This program's own windows.
    static constexpr std::int64_t kOwnPid = 1;

    void Advance(std::uint32_t ms) {
        now += ms;
        elapsed_ += ms;
        // A wait that never ends fails the test instead of hanging it.
        if (elapsed_ > 600000) throw std::runtime_error("the wait never ended");
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

    WindowHandle nextHandle_ = 100;
    std::vector<std::function<void()>> messages_;
    std::uint64_t elapsed_ = 0;
    std::uint32_t changeAt_ = 0;
    bool applying_ = false;
    std::vector<InputEvent> events_;
    std::vector<std::pair<std::uint64_t, std::function<void(ScriptedDesk&)>>> timeline_;
};

}  // namespace vx::testing
