// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "remote/click_script_remote.h"
#include "remote/shutdown_keys.h"
#include "support/scripted_desk.h"
#include "support/scripted_platform.h"

namespace vx::testing {

inline const std::string kLaunchError =
    "GPL couldn't be started. Operation aborted. Check the path to the file gpl.exe.";

inline void ExpectBox(const ScriptedMessageBoxes::Shown& box, const std::string& title,
                      const std::string& text, BoxIcon icon, BoxButtons buttons) {
    EXPECT_EQ(box.title, title);
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.icon, icon);
    EXPECT_EQ(box.buttons, buttons);
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
    // F5 down at `at`, up `hold` ms later; both moments are marked in the log.
    void F5At(std::uint32_t at, std::uint32_t hold = 50) {
        desk.After(at, [](ScriptedDesk& d) { d.HoldF5(true); });
        desk.After(at + hold, [](ScriptedDesk& d) { d.HoldF5(false); });
    }

    // The keys with their pauses, as Events() shows them.
    static std::vector<std::string> ShutdownKeys(std::int32_t delay) {
        const std::string quarter = "wait " + std::to_string(vx::QuarterDelay(delay));
        return {"key Escape", "wait " + std::to_string(delay),
                "key Escape", quarter,
                "key Escape", quarter,
                "key Return", quarter,
                "key Return"};
    }

    // The entries of `log` from the first one equal to `from` on.
    static std::vector<std::string> From(const std::vector<std::string>& log,
                                         const std::string& from) {
        auto it = std::find(log.begin(), log.end(), from);
        return {it, log.end()};
    }

    ScriptedDesk desk;
    ScriptedMessageBoxes boxes;
    Settings settings;
    ClickScriptRemote remote{desk.Platform(), boxes, desk.beeper};
};

}  // namespace vx::testing
