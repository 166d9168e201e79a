#include "remote/click_script_remote.h"

#include <algorithm>

#include "remote/click_recorder.h"
#include "remote/remote_texts.h"
#include "remote/shutdown_keys.h"

namespace vx {
namespace {

// Clears the running mark however the operation ends.
class RunningMark {
  public:
    explicit RunningMark(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningMark() { flag_ = false; }
    RunningMark(const RunningMark&) = delete;
    RunningMark& operator=(const RunningMark&) = delete;

  private:
    bool& flag_;
};

constexpr std::int32_t kPauseBeforeClickMs = 100;

}  // namespace

ClickScriptRemote::ClickScriptRemote(const RemotePlatform& platform, MessageBoxes& boxes,
                                     Beeper& beeper)
    : platform_(platform),
      boxes_(boxes),
      beeper_(beeper),
      pause_(platform.pump, platform.sleeper),
      screenAtStart_(platform.mouse.ScreenSizePixels()),
      mouseDriver_(std::make_shared<CMouseEvent>(platform.mouse, platform.sleeper, platform.pump)) {
}

void ClickScriptRemote::RenewMouseDriver() {
    mouseDriver_ =
        std::make_shared<CMouseEvent>(platform_.mouse, platform_.sleeper, platform_.pump);
}

bool ClickScriptRemote::Enter() {
    if (!running_) return true;
    beeper_.Beep();
    return false;
}

bool ClickScriptRemote::Ask(const char* title, const char* text, BoxIcon icon) {
    return boxes_.Show(title, text, icon, BoxButtons::OkCancel) == BoxAnswer::Ok;
}

void ClickScriptRemote::ShowLaunchFailed() {
    boxes_.Show(kErrorTitle, kLaunchFailed, BoxIcon::Critical, BoxButtons::Ok);
}

bool ClickScriptRemote::LaunchGame(const std::string& folder) {
    return platform_.launcher.Launch(folder + "/gpl.exe");
}

void ClickScriptRemote::ReplayClickScript(const Settings& record) {
    // A copy: the live settings may be replaced while the replay lets messages run.
    const std::uint8_t count = record.ClickCount;
    const auto intervals = record.ClickIntervals;
    const auto xs = record.ClickX;
    const auto ys = record.ClickY;
    for (std::size_t i = 1; i <= count; ++i) {
        // A negative interval (a wrapped clock, a damaged file) would never end as a sleep.
        platform_.sleeper.SleepMs(std::max(intervals[i], 0));
        std::shared_ptr<CMouseEvent> driver = mouseDriver_;
        driver->MoveTo(xs[i], ys[i], true);
        platform_.sleeper.SleepMs(kPauseBeforeClickMs);
        driver->Click();
    }
}

void ClickScriptRemote::WaitForShutdownKey() { vx::WaitForShutdownKey(platform_.keys, pause_); }

void ClickScriptRemote::SendShutdownKeys(std::int32_t delay) {
    vx::SendShutdownKeys(platform_.keySender, platform_.sleeper, delay);
}

void ClickScriptRemote::LaunchAndReplay(const Settings& record) {
    if (record.ShowInformation && !Ask(kInfoTitle, kReplayInfo, BoxIcon::Information)) return;
    const std::int32_t shutdownDelay = record.ShutdownDelay;
    if (!LaunchGame(record.GPLFolder)) {
        ShowLaunchFailed();
        return;
    }
    ReplayClickScript(record);
    beeper_.Beep();
    WaitForShutdownKey();
    SendShutdownKeys(shutdownDelay);
}

void ClickScriptRemote::TestFromEditor(const Settings& settings) {
    if (!Enter()) return;
    RunningMark mark(running_);
    if (settings.PlayScript) {
        LaunchAndReplay(settings);
        return;
    }
    if (settings.ShowInformation && !Ask(kInfoTitle, kLaunchInfo, BoxIcon::Information)) return;
    if (!LaunchGame(settings.GPLFolder)) ShowLaunchFailed();
}

void ClickScriptRemote::TestScript(const Settings& working) {
    if (!Enter()) return;
    RunningMark mark(running_);
    LaunchAndReplay(working);
}

bool ClickScriptRemote::RecordScript(Settings& working) {
    if (!Enter()) return false;
    RunningMark mark(running_);
    return RecordClickScript(working);
}

bool ClickScriptRemote::RecordClickScript(Settings& working) {
    if (working.ClickCount > 0 && working.SafetyConfigure &&
        !Ask(kSafetyTitle, kOverwriteScriptQuestion, BoxIcon::Exclamation)) {
        return false;
    }
    if (working.ShowInformation && !Ask(kInfoTitle, kRecordInfo, BoxIcon::Information)) {
        return false;
    }
    ClickRecorder recorder(platform_.keys, platform_.pointer, platform_.clock, pause_, beeper_,
                           screenAtStart_);
    ClickRecorder::ClearClickScript(working);
    recorder.StartIntervalClock();
    if (!LaunchGame(working.GPLFolder)) {
        ShowLaunchFailed();
        return false;
    }
    recorder.RecordClicks(working);
    WaitForF5Up(platform_.keys, pause_);
    SendShutdownKeys(working.ShutdownDelay);
    return true;
}

}  // namespace vx
