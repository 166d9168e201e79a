// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "remote/click_script_remote.h"
#include "remote/remote_texts.h"
#include "remote/shutdown_keys.h"
#include "support/scripted_desk.h"
#include "support/scripted_platform.h"

namespace vx::testing {

using Log = std::vector<std::string>;

// Each box shown as "title|text|icon|buttons", icon and buttons by their letter.
inline Log Shown(const ScriptedMessageBoxes& boxes) {
    Log out;
    for (const auto& b : boxes.shown)
        out.push_back(b.title + "|" + b.text + "|" + "EIC"[static_cast<int>(b.icon)] + "|" +
                      (b.buttons == BoxButtons::Ok ? "ok" : "ok cancel"));
    return out;
}
inline std::string Box(const char* title, const std::string& text, char icon, const char* buttons) {
    return std::string(title) + "|" + text + "|" + icon + "|" + buttons;
}

// The keys with their pauses, as Events() shows them.
inline Log ShutdownKeys(std::int32_t delay) {
    const std::string quarter = "wait " + std::to_string(QuarterDelay(delay));
    return {"key Escape", "wait " + std::to_string(delay),
            "key Escape", quarter,
            "key Escape", quarter,
            "key Return", quarter,
            "key Return"};
}

// The entries of `log` from the first one equal to `from` on.
inline Log From(const Log& log, const std::string& from) {
    return {std::find(log.begin(), log.end(), from), log.end()};
}

// A remote on the scripted desk, with a game folder set and no boxes asked.
class RemoteFixture : public ::testing::Test {
  protected:
    RemoteFixture() {
        settings.GPLFolder = "/games/gpl";
        settings.ShowInformation = false;
    }
    // The scripted hand clicks at (x, y) from `at` to `at + hold` ms.
    void ClickAt(std::uint32_t at, std::int32_t x, std::int32_t y, std::uint32_t hold = 40) {
        desk.After(at, [x, y](ScriptedDesk& d) { d.PressLeft({x, y}); });
        desk.After(at + hold, [](ScriptedDesk& d) { d.ReleaseLeft(); });
    }
    void F5At(std::uint32_t at, std::uint32_t hold = 50) {
        desk.After(at, [](ScriptedDesk& d) { d.HoldF5(true); });
        desk.After(at + hold, [](ScriptedDesk& d) { d.HoldF5(false); });
    }

    ScriptedDesk desk;
    ScriptedMessageBoxes boxes;
    Settings settings;
    ClickScriptRemote remote{desk.Platform(), boxes, desk.beeper};
};

}  // namespace vx::testing
