// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

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
inline constexpr const char* kFocusInVistolarex =
    "The keyboard focus is in Vistolarex, not in GPL: the shutdown keys were not sent. Ready.";

}  // namespace vx
