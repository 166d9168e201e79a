// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/beeper.h"
#include "platform/message_box.h"
#include "platform/remote_platform.h"
#include "remote/game_remote.h"
#include "remote/game_window_tracker.h"
#include "remote/mouse_event.h"
#include "remote/remote_texts.h"
#include "remote/remote_waits.h"

namespace vx {

// The game remote on top of the desktop interfaces: launch, replay, recording and
// the shutdown keys. Built once at start-up, when it measures the screen for the
// recorder; one operation runs at a time.
class ClickScriptRemote : public GameRemote {
  public:
    ClickScriptRemote(const RemotePlatform& platform, MessageBoxes& boxes, Beeper& beeper);

    void TestFromEditor(const Settings& settings) override;
    void TestScript(const Settings& working) override;
    bool RecordScript(Settings& working) override;
    void RenewMouseDriver() override;
    void CancelRunning() override;
    bool Running() const override { return running_; }

    bool LaunchGame(const std::string& folder);
    // Clicks only into the game's window, waiting for it to appear; false when
    // cancelled.
    bool ReplayClickScript(const Settings& record);
    // Needs the input watch started. Ends at F5 pressed in the game; false when
    // cancelled.
    bool WaitForShutdownKey();
    // Only while the game's window has the keyboard focus.
    bool SendShutdownKeys(std::int32_t delay);
    bool RecordClickScript(Settings& working);
    // Looks for the window of a game started without a replay and brings it to the
    // front; false once there is nothing more to look for.
    bool LookForGame();

    CMouseEvent& MouseDriver() { return *mouseDriver_; }
    std::int32_t ScreenWidthAtStart() const { return screenAtStart_.width; }
    std::int32_t ScreenHeightAtStart() const { return screenAtStart_.height; }

  private:
    // Launch, replay, beep, F5, shutdown keys: the editor's Test with replay.
    void LaunchAndReplay(const Settings& record);
    bool Ask(const char* title, const char* text, BoxIcon icon);
    // False when cancelled; `waited` tells whether the window was not there at once.
    bool AwaitGameWindow(bool& waited);
    void Report(const std::string& text) { ReportStatus(SkippedClicks(skipped_) + text); }
    // Tells how a run that did not end by itself ended.
    void Finish();
    // False (after a beep) when an operation is already running further up the stack,
    // and (after the box) when there is no display for the game.
    bool Enter();

    RemotePlatform platform_;
    MessageBoxes& boxes_;
    Beeper& beeper_;
    GameWindowTracker game_;
    RemoteWaits waits_;
    ScreenSize screenAtStart_;
    // Shared so that a driver renewed while a click is under way outlives that click.
    std::shared_ptr<CMouseEvent> mouseDriver_;
    bool running_ = false;
    std::vector<std::size_t> skipped_;
};

}  // namespace vx
