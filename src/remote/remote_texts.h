// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vx {

inline constexpr const char* kInfoTitle = "Vistolarex: Info";
inline constexpr const char* kSafetyTitle = "Vistolarex: Safety request";
inline constexpr const char* kErrorTitle = "Vistolarex: Error";

inline constexpr const char* kLaunchInfo = "GPL will now be launched.";
inline constexpr const char* kReplayInfo =
    "GPL will now be launched and the recorded sequence of mouseclicks will be played. After "
    "that you can shutdown automatically by pressing F5. For further details see online help.";
inline constexpr const char* kOverwriteScriptQuestion =
    "This will overwrite your previously recorded script. Continue?";
inline constexpr const char* kRecordInfo =
    "GPL will now be launched and the recording of mouseclicks will begin. For further details "
    "see online help.";
inline constexpr const char* kLaunchFailed =
    "GPL couldn't be started. Operation aborted. Check the path to the file gpl.exe.";
inline constexpr const char* kWineMissing =
    "Windows programs are started through wine, which is not installed.";
inline constexpr const char* kNoX11Display =
    "The game remote needs an X11 display: GPL runs under wine as an X11 client. Start "
    "Vistolarex in an X11 session, or in a Wayland session with XWayland.";
inline constexpr const char* kGameEndedWithoutWindow =
    "GPL ended without opening a window. No click and no key was sent.";

// The status line while the remote runs.
inline constexpr const char* kWaitingForGameWindow = "Waiting for the game's window\u2026";
inline constexpr const char* kPressF5 = "Press F5 in the game to end it.";
inline constexpr const char* kShutdownKeysSent = "Shutdown keys sent. Ready.";
inline constexpr const char* kF5OutsideGame =
    "F5 was pressed outside the game: nothing was sent. Press F5 in the game to end it.";
inline constexpr const char* kFocusNotInGame =
    "The keyboard focus is not in the game: the shutdown keys were not sent. Ready.";
inline constexpr const char* kFocusLeftGame =
    "The keyboard focus left the game: the remaining shutdown keys were not sent. Ready.";
inline constexpr const char* kRemoteCancelled = "Cancelled: nothing more was sent. Ready.";

inline std::string ReplayingClick(std::size_t click, std::size_t count) {
    return "Replaying click " + std::to_string(click) + " of " + std::to_string(count) + "\u2026";
}
inline std::string RecordingClicks(int clicks) {
    return "Recording: " + std::to_string(clicks) + (clicks == 1 ? " click" : " clicks") +
           ". Press F5 in the game to end.";
}
// Put before the status while a replay runs, so that a skip stays in sight.
inline std::string SkippedClicks(const std::vector<std::size_t>& clicks) {
    if (clicks.empty()) return {};
    std::string text = clicks.size() == 1 ? "Click " : "Clicks ";
    for (std::size_t i = 0; i < clicks.size(); ++i)
        text += (i == 0 ? "" : ", ") + std::to_string(clicks[i]);
    return text + " skipped: not on the game's window. ";
}
}  // namespace vx
