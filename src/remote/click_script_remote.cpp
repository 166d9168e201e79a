// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "remote/click_script_remote.h"

#include "remote/click_recorder.h"
#include "remote/remote_texts.h"
#include "remote/shutdown_keys.h"

namespace vx {
namespace {

// Marks an operation as running, with its cancel cleared, however it ends.
class RunningMark {
  public:
    RunningMark(bool& flag, RemoteWaits& waits) : flag_(flag), waits_(waits) {
        flag_ = true;
        waits_.Reset();
    }
    ~RunningMark() {
        flag_ = false;
        waits_.Reset();
    }
    RunningMark(const RunningMark&) = delete;
    RunningMark& operator=(const RunningMark&) = delete;

  private:
    bool& flag_;
    RemoteWaits& waits_;
};

// Stops the input watch however the wait that started it ends.
class Watching {
  public:
    explicit Watching(InputWatch& input) : input_(input) { input_.Start(); }
    ~Watching() { input_.Stop(); }
    Watching(const Watching&) = delete;
    Watching& operator=(const Watching&) = delete;

  private:
    InputWatch& input_;
};

constexpr std::int32_t kPauseBeforeClickMs = 100;
constexpr std::int32_t kMaxCatchUpMs = 50;

}  // namespace

ClickScriptRemote::ClickScriptRemote(const RemotePlatform& platform, MessageBoxes& boxes,
                                     Beeper& beeper)
    : platform_(platform),
      boxes_(boxes),
      beeper_(beeper),
      waits_(platform.pump, platform.sleeper, platform.clock, platform.input, platform.windows),
      screenAtStart_(platform.mouse.ScreenSizePixels()),
      mouseDriver_(std::make_shared<CMouseEvent>(platform.mouse, platform.sleeper, platform.pump)) {
}

void ClickScriptRemote::RenewMouseDriver() {
    mouseDriver_ =
        std::make_shared<CMouseEvent>(platform_.mouse, platform_.sleeper, platform_.pump);
}

void ClickScriptRemote::CancelRunning() {
    if (running_) waits_.Cancel();
}

bool ClickScriptRemote::Enter() {
    if (running_) {
        beeper_.Beep();
        return false;
    }
    if (!platform_.windows.DisplayAvailable()) {
        boxes_.Show(kErrorTitle, kNoX11Display, BoxIcon::Critical, BoxButtons::Ok);
        return false;
    }
    return true;
}

bool ClickScriptRemote::Ask(const char* title, const char* text, BoxIcon icon) {
    return boxes_.Show(title, text, icon, BoxButtons::OkCancel) == BoxAnswer::Ok;
}

bool ClickScriptRemote::LaunchGame(const std::string& folder) {
    // The game finds its data relative to its working folder.
    const LaunchResult result = platform_.launcher.Launch(folder + "/gpl.exe", folder);
    if (result.Started()) {
        platform_.windows.GameStarted(result.pid);
        return true;
    }
    std::string text = kLaunchFailed;
    if (result.outcome == LaunchResult::Outcome::WineMissing)
        text += std::string("\r\n") + kWineMissing;
    boxes_.Show(kErrorTitle, text, BoxIcon::Critical, BoxButtons::Ok);
    return false;
}

bool ClickScriptRemote::ReplayClickScript(const Settings& record) {
    // A copy: the live settings may be replaced while the replay lets messages run.
    const std::uint8_t count = record.ClickCount;
    const auto intervals = record.ClickIntervals;
    const auto xs = record.ClickX;
    const auto ys = record.ClickY;
    // Each pause ends on the schedule, not after the time the desktop took before it.
    std::uint32_t due = waits_.NowMs();
    for (std::size_t i = 1; i <= count; ++i) {
        // Negative intervals (a wrapped clock, a damaged file) count as none.
        due = RemoteWaits::Due(due, intervals[i]);
        if (!waits_.PauseUntil(due)) return false;
        std::shared_ptr<CMouseEvent> driver = mouseDriver_;
        driver->MoveTo(xs[i], ys[i], true);
        due = RemoteWaits::Due(due, kPauseBeforeClickMs);
        if (!waits_.PauseUntil(due)) return false;
        // A click once begun is finished, so that the button is not left down.
        driver->Click();
        due = RemoteWaits::Due(due, driver->ClickDelay());
        // Far behind (a handler ran long in between): start afresh rather than
        // rush the next clicks into the game's loading screens.
        const std::uint32_t now = waits_.NowMs();
        if (static_cast<std::int32_t>(now - due) > kMaxCatchUpMs) due = now;
    }
    return !waits_.Cancelled();
}

bool ClickScriptRemote::WaitForShutdownKey() {
    F5Tracker f5(platform_.input);
    return f5.WaitForShutdownKey(waits_);
}

bool ClickScriptRemote::SendShutdownKeys(std::int32_t delay) {
    // Under a window manager that refuses to hand the game the focus, the keys would
    // close our own dialog (a Cancel that throws a recording away).
    if (waits_.Cancelled()) return false;
    if (platform_.windows.FocusInOwnWindow()) {
        ReportStatus(kFocusInVistolarex);
        return false;
    }
    return vx::SendShutdownKeys(platform_.keySender, waits_, delay);
}

void ClickScriptRemote::LaunchAndReplay(const Settings& record) {
    if (record.ShowInformation && !Ask(kInfoTitle, kReplayInfo, BoxIcon::Information)) return;
    const std::int32_t shutdownDelay = record.ShutdownDelay;
    if (!LaunchGame(record.GPLFolder)) return;
    if (!ReplayClickScript(record)) return;
    // Watching before the beep: the user may answer it at once.
    Watching watching(platform_.input);
    beeper_.Beep();
    if (!WaitForShutdownKey()) return;
    SendShutdownKeys(shutdownDelay);
}

void ClickScriptRemote::TestFromEditor(const Settings& settings) {
    if (!Enter()) return;
    RunningMark mark(running_, waits_);
    if (settings.PlayScript) {
        LaunchAndReplay(settings);
        return;
    }
    if (settings.ShowInformation && !Ask(kInfoTitle, kLaunchInfo, BoxIcon::Information)) return;
    LaunchGame(settings.GPLFolder);
}

void ClickScriptRemote::TestScript(const Settings& working) {
    if (!Enter()) return;
    RunningMark mark(running_, waits_);
    LaunchAndReplay(working);
}

bool ClickScriptRemote::RecordScript(Settings& working) {
    if (!Enter()) return false;
    RunningMark mark(running_, waits_);
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
    ClickRecorder recorder(platform_.input, platform_.mouse, waits_, beeper_, screenAtStart_);
    const Settings before = working;
    ClickRecorder::ClearClickScript(working);
    const std::int32_t shutdownDelay = working.ShutdownDelay;
    Watching watching(platform_.input);
    recorder.StartIntervalClock();
    if (!LaunchGame(working.GPLFolder)) return false;
    if (!recorder.RecordClicks(working) || !recorder.WaitForF5Up()) {
        // Cancelled by the dialog closing: a script cut short is no recording.
        working.ClickCount = before.ClickCount;
        working.ClickIntervals = before.ClickIntervals;
        working.ClickX = before.ClickX;
        working.ClickY = before.ClickY;
        return false;
    }
    SendShutdownKeys(shutdownDelay);
    return true;
}

}  // namespace vx
