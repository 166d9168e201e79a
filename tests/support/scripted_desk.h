#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/remote_platform.h"
#include "support/scripted_platform.h"

namespace vx::testing {

// A desktop on a virtual clock: sleeping advances time, the user's hand is a
// timeline of changes applied when their time has come, and everything sent to
// the desktop is logged in order ("abs 32768 0", "down", "key Escape", ...).
class ScriptedDesk : public MouseInjector,
                     public KeyState,
                     public PointerReader,
                     public MillisecondClock,
                     public Sleeper,
                     public EventPump,
                     public KeySender,
                     public ProcessLauncher {
  public:
    // Beeps land in the desk's log too, so their order against the rest is visible.
    class LoggingBeeper : public CountingBeeper {
      public:
        explicit LoggingBeeper(ScriptedDesk& desk) : desk_(desk) {}
        void Beep() override {
            CountingBeeper::Beep();
            desk_.Log("beep");
        }

      private:
        ScriptedDesk& desk_;
    };

    ScreenSize screen{1024, 768};
    std::uint32_t now = 1000;
    bool leftDown = false;
    bool f5Down = false;
    PointerPos pointer;
    bool launchSucceeds = true;
    std::map<WindowHandle, WindowRect> windows;
    std::vector<std::string> log;
    int pumps = 0;
    int wheelNotches = 0;
    std::function<void()> onPump;
    // A wait that never ends fails the test instead of hanging it.
    std::uint32_t giveUpAfterMs = 600000;
    LoggingBeeper beeper{*this};

    RemotePlatform Platform() {
        return RemotePlatform{*this, *this, *this, *this, *this, *this, *this, *this};
    }

    // Schedules a change of the user's hand `delay` ms from the current time.
    void After(std::uint32_t delay, std::function<void(ScriptedDesk&)> change) {
        timeline_.push_back({elapsed_ + delay, std::move(change)});
        std::stable_sort(timeline_.begin(), timeline_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    }

    void Log(const std::string& entry) { log.push_back(entry); }

    // The log without the waits' polling pauses (a pump followed by a 5 ms rest).
    std::vector<std::string> Events() const {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < log.size(); ++i) {
            if (log[i] == "pump" && i + 1 < log.size() && log[i + 1] == "sleep 5") {
                ++i;
                continue;
            }
            out.push_back(log[i]);
        }
        return out;
    }

    std::vector<std::string> WithPrefix(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& e : log)
            if (e.rfind(prefix, 0) == 0) out.push_back(e);
        return out;
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
    void PressLeftButton() override {
        Log("down");
        leftDown = true;
    }
    void ReleaseLeftButton() override {
        Log("up");
        leftDown = false;
    }
    void Wheel(std::int32_t amount) override {
        Log("wheel " + std::to_string(amount));
        wheelNotches += amount / 120;
    }
    WindowRect WindowRectangle(WindowHandle window) override {
        auto it = windows.find(window);
        return it == windows.end() ? WindowRect{} : it->second;
    }

    bool LeftButtonDown() override {
        Apply();
        return leftDown;
    }
    bool F5Down() override {
        Apply();
        return f5Down;
    }
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
    bool Launch(const std::string& path) override {
        Log("launch " + path);
        return launchSucceeds;
    }

    void Advance(std::uint32_t ms) {
        now += ms;
        elapsed_ += ms;
        if (elapsed_ > giveUpAfterMs) throw std::runtime_error("the wait never ended");
        Apply();
    }

  private:
    static std::int32_t ToPixel(std::int32_t n, std::int32_t size) {
        if (size <= 0) return 0;
        auto pixel = static_cast<std::int32_t>(
            std::lround(std::clamp(n, 0, 65535) * double(size) / 65535.0));
        return std::clamp(pixel, 0, size - 1);
    }
    void Apply() {
        while (!timeline_.empty() && timeline_.front().first <= elapsed_) {
            auto change = std::move(timeline_.front().second);
            timeline_.erase(timeline_.begin());
            change(*this);
        }
    }

    std::uint64_t elapsed_ = 0;
    std::vector<std::pair<std::uint64_t, std::function<void(ScriptedDesk&)>>> timeline_;
};

}  // namespace vx::testing
