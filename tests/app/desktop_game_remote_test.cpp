// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/desktop_game_remote.h"
#include "support/scripted_platform.h"

namespace vx {
namespace {

// The editor must start and its Test button answer even where no X server is.
TEST(DesktopGameRemote, WithoutAnXServerEveryOperationSaysItNeedsOne) {
    const char* saved = std::getenv("DISPLAY");
    const std::string savedDisplay = saved ? saved : "";
    ::setenv("DISPLAY", ":4711", 1);
    testing::ScriptedMessageBoxes boxes;
    testing::CountingBeeper beeper;
    std::unique_ptr<GameRemote> remote = MakeDesktopGameRemote(boxes, beeper);
    saved ? ::setenv("DISPLAY", savedDisplay.c_str(), 1) : ::unsetenv("DISPLAY");
    ASSERT_NE(remote, nullptr);

    Settings settings;
    settings.GPLFolder = "/games/gpl";
    settings.PlayScript = true;
    settings.ClickCount = 1;
    remote->RenewMouseDriver();
    remote->TestFromEditor(settings);
    remote->TestScript(settings);
    EXPECT_FALSE(remote->RecordScript(settings));
    ASSERT_EQ(boxes.shown.size(), 3u);
    for (const auto& box : boxes.shown) {
        EXPECT_EQ(box.title, "Vistolarex: Error");
        EXPECT_TRUE(box.text.starts_with("The game remote needs an X11 display")) << box.text;
    }
    EXPECT_EQ(settings.ClickCount, 1);
    EXPECT_EQ(beeper.beeps, 0);
}

}  // namespace
}  // namespace vx
