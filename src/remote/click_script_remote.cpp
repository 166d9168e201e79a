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
      game_(platform.windows, platform.family, platform.clock),
      waits_(platform.pump, platform.clock, platform.input, game_),
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

void ClickScriptRemote::Finish() {
    if (waits_.GameLost()) {
        ReportStatus("");
        boxes_.Show(kErrorTitle, kGameEndedWithoutWindow, BoxIcon::Critical, BoxButtons::Ok);
    } else if (waits_.Cancelled()) {
        ReportStatus(kRemoteCancelled);
    }
    ReportRecording("");
}

bool ClickScriptRemote::LookForGame() {
    game_.Look(true);
    return game_.Active() && game_.Window() == 0 && !game_.EndedWithoutWindow();
}

bool ClickScriptRemote::LaunchGame(const std::string& folder) {
    game_.Launching();
    // The game finds its data relative to its working folder.
    const LaunchResult result = platform_.launcher.Launch(folder + "/gpl.exe", folder);
    if (result.Started()) {
        game_.Launched(result.pid);
        return true;
    }
    game_.Forget();
    std::string text = kLaunchFailed;
    if (result.outcome == LaunchResult::Outcome::WineMissing)
        text += std::string("\r\n") + kWineMissing;
    boxes_.Show(kErrorTitle, text, BoxIcon::Critical, BoxButtons::Ok);
    return false;
}

bool ClickScriptRemote::AwaitGameWindow(bool& waited) {
    waited = false;
    game_.Look(true);
    while (game_.Window() == 0) {
        if (!waited) Report(kWaitingForGameWindow);
        waited = true;
        if (!waits_.Pause(game_.RestMs())) return false;
        game_.Look(true);
    }
    return true;
}

bool ClickScriptRemote::ReplayClickScript(const Settings& record) {
    // A copy: the live settings may be replaced while the replay lets messages run.
    const std::uint8_t count = record.ClickCount;
    const auto intervals = record.ClickIntervals;
    const auto xs = record.ClickX;
    const auto ys = record.ClickY;
    skipped_.clear();
    // Each pause ends on the schedule, not after the time the desktop took before it;
    // the first counts from the launch.
    std::uint32_t due = waits_.NowMs();
    for (std::size_t i = 1; i <= count; ++i) {
        Report(ReplayingClick(i, count));
        // Negative intervals (a wrapped clock, a damaged file) count as none.
        due = RemoteWaits::Due(due, intervals[i]);
        if (!waits_.PauseUntil(due)) return false;
        bool waited = false;
        if (!AwaitGameWindow(waited)) return false;
        if (waited) {
            // The rhythm goes on from the click that could be sent.
            Report(ReplayingClick(i, count));
            due = waits_.NowMs();
        }
        std::shared_ptr<CMouseEvent> driver = mouseDriver_;
        driver->MoveTo(xs[i], ys[i], true);
        due = RemoteWaits::Due(due, kPauseBeforeClickMs);
        if (!waits_.PauseUntil(due)) return false;
        // The window known is asked, not looked for again: a look may take longer
        // than the schedule allows, and a window gone is under no pointer.
        if (platform_.windows.UnderPointer(game_.Window())) {
            // A click once begun is finished, so that the button is not left down.
            driver->Click();
        } else {
            skipped_.push_back(i);
            Report(ReplayingClick(i, count));
        }
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
    Report(kPressF5);
    while (f5.WaitForShutdownKey(waits_)) {
        game_.Look(true);
        if (game_.HasFocus()) return true;
        // That program got F5; the game is still to be ended.
        Report(kF5OutsideGame);
    }
    return false;
}

bool ClickScriptRemote::SendShutdownKeys(std::int32_t delay) {
    if (waits_.Cancelled()) return false;
    // Under a window manager that refuses to hand the game the focus, the keys would
    // land in another program, or close our own dialog (a Cancel that throws a
    // recording away).
    game_.Look(true);
    if (!game_.HasFocus()) {
        Report(kFocusNotInGame);
        return false;
    }
    if (vx::SendShutdownKeys(platform_.keySender, waits_, delay,
                             [this] { return game_.HasFocus(); })) {
        Report(kShutdownKeysSent);
        return true;
    }
    if (!waits_.Cancelled()) Report(kFocusLeftGame);
    return false;
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
        Finish();
        return;
    }
    if (settings.ShowInformation && !Ask(kInfoTitle, kLaunchInfo, BoxIcon::Information)) return;
    LaunchGame(settings.GPLFolder);
}

void ClickScriptRemote::TestScript(const Settings& working) {
    if (!Enter()) return;
    RunningMark mark(running_, waits_);
    LaunchAndReplay(working);
    Finish();
}

bool ClickScriptRemote::RecordScript(Settings& working) {
    if (!Enter()) return false;
    RunningMark mark(running_, waits_);
    const bool recorded = RecordClickScript(working);
    Finish();
    return recorded;
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
    recorder.onProgress = [this](int clicks) { ReportRecording(RecordingClicks(clicks)); };
    const Settings before = working;
    ClickRecorder::ClearClickScript(working);
    const std::int32_t shutdownDelay = working.ShutdownDelay;
    Watching watching(platform_.input);
    recorder.StartIntervalClock();
    if (!LaunchGame(working.GPLFolder)) return false;
    skipped_.clear();
    if (!recorder.RecordClicks(working) || !recorder.WaitForF5Up()) {
        // Cancelled by the dialog closing: a script cut short is no recording.
        working.ClickCount = before.ClickCount;
        working.ClickIntervals = before.ClickIntervals;
        working.ClickX = before.ClickX;
        working.ClickY = before.ClickY;
        return false;
    }
    ReportRecording("");
    SendShutdownKeys(shutdownDelay);
    return true;
}

}  // namespace vx
