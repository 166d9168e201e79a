#include <gtest/gtest.h>

#include "remote/remote_fixture.h"

namespace vx {
namespace {

using Log = std::vector<std::string>;

const char* const kLongInfo =
    "GPL will now be launched and the recorded sequence of mouseclicks will be played. After that "
    "you can shutdown automatically by pressing F5. For further details see online help.";

class Remote : public testing::RemoteFixture {
  protected:
    Remote() {
        settings.ClickCount = 2;
        settings.ClickIntervals[1] = 2000;
        settings.ClickX[1] = 512;
        settings.ClickY[1] = 0;
        settings.ClickIntervals[2] = 700;
        settings.ClickX[2] = 1024;
        settings.ClickY[2] = 384;
        settings.ShutdownDelay = 1500;
    }

    // The script replayed, then the hand's F5 and the shutdown keys.
    Log ReplayThenShutdown(std::int32_t delay) const {
        Log log{"launch /games/gpl/gpl.exe", "sleep 2000"};
        for (const char* at : {"abs 32768 0", "abs 65535 32768"}) {
            for (const char* e : {at, "sleep 100", "down", "pump", "sleep 250", "up"})
                log.push_back(e);
            log.push_back("sleep 700");
        }
        log.back() = "beep";
        log.push_back("hand F5 down");
        log.push_back("hand F5 up");
        for (const auto& key : ShutdownKeys(delay)) log.push_back(key);
        return log;
    }
};

TEST_F(Remote, EditorTestWithoutReplayOnlyLaunches) {
    settings.PlayScript = false;
    settings.ShowInformation = true;
    remote.TestFromEditor(settings);
    ASSERT_EQ(boxes.shown.size(), 1u);
    testing::ExpectBox(boxes.shown[0], "Vistolarex: Info", "GPL will now be launched.",
                       BoxIcon::Information, BoxButtons::OkCancel);
    // No replay, no wait for F5, no keys.
    EXPECT_EQ(desk.log, (Log{"launch /games/gpl/gpl.exe"}));
    EXPECT_EQ(desk.beeper.beeps, 0);

    desk.log.clear();
    boxes.answers = {BoxAnswer::Cancel};
    remote.TestFromEditor(settings);
    EXPECT_TRUE(desk.log.empty());

    boxes.shown.clear();
    settings.ShowInformation = false;
    desk.launchSucceeds = false;
    remote.TestFromEditor(settings);
    ASSERT_EQ(boxes.shown.size(), 1u);
    testing::ExpectBox(boxes.shown[0], "Vistolarex: Error", testing::kLaunchError,
                       BoxIcon::Critical, BoxButtons::Ok);

    // The dialog's test fails the same way, before any replay.
    boxes.shown.clear();
    desk.log.clear();
    remote.TestScript(settings);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Vistolarex: Error");
    EXPECT_EQ(desk.log, (Log{"launch /games/gpl/gpl.exe"}));
    EXPECT_EQ(desk.beeper.beeps, 0);
}

TEST_F(Remote, EditorTestWithReplayClicksBeepsWaitsForF5AndShutsDown) {
    settings.PlayScript = true;
    settings.ShowInformation = true;
    F5At(5000, 120);
    remote.TestFromEditor(settings);
    ASSERT_EQ(boxes.shown.size(), 1u);
    testing::ExpectBox(boxes.shown[0], "Vistolarex: Info", kLongInfo, BoxIcon::Information,
                       BoxButtons::OkCancel);
    EXPECT_EQ(desk.Events(), ReplayThenShutdown(1500));

    // Cancel in the box starts nothing.
    desk.log.clear();
    boxes.answers = {BoxAnswer::Cancel};
    remote.TestFromEditor(settings);
    EXPECT_TRUE(desk.log.empty());
}

TEST_F(Remote, DialogTestAlwaysReplaysAndHonoursTheWorkingCopy) {
    settings.PlayScript = false;
    settings.ShowInformation = false;
    settings.ShutdownDelay = 50;
    F5At(4000);
    remote.TestScript(settings);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(desk.Events(), ReplayThenShutdown(50));

    settings.ShowInformation = true;
    boxes.answers = {BoxAnswer::Cancel};
    desk.log.clear();
    remote.TestScript(settings);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, kLongInfo);
    EXPECT_TRUE(desk.log.empty());
}

TEST_F(Remote, AnEmptyScriptBeepsAtOnceAndWaitsForF5) {
    settings.ClickCount = 0;
    F5At(300);
    remote.TestScript(settings);
    Log events = desk.Events();
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ(Log(events.begin(), events.begin() + 4),
              (Log{"launch /games/gpl/gpl.exe", "beep", "hand F5 down", "hand F5 up"}));
}

TEST_F(Remote, NegativeIntervalsReplayWithoutPause) {
    settings.ClickIntervals[1] = -5;
    settings.ClickIntervals[2] = -2147483647 - 1;
    F5At(2000);
    remote.TestScript(settings);
    Log events = desk.Events();
    EXPECT_EQ(events.at(1), "sleep 0");
    EXPECT_EQ(events.at(8), "sleep 0");
}

TEST_F(Remote, AClickOfAHandlerAlreadyRunningIsRefusedWithABeep) {
    settings.PlayScript = true;
    F5At(6000);
    int refused = 0;
    desk.onPump = [&] {
        if (desk.pumps != 1 && desk.pumps != 30) return;
        int beepsBefore = desk.beeper.beeps;
        remote.TestFromEditor(settings);
        remote.TestScript(settings);
        Settings working = settings;
        EXPECT_FALSE(remote.RecordScript(working));
        EXPECT_EQ(working, settings);
        refused += desk.beeper.beeps - beepsBefore;
    };
    remote.TestFromEditor(settings);
    EXPECT_EQ(refused, 6);
    EXPECT_EQ(desk.WithPrefix("launch").size(), 1u);
    EXPECT_EQ(desk.WithPrefix("key").size(), 5u);

    // Once the run is over, the next one starts normally.
    desk.onPump = nullptr;
    desk.log.clear();
    settings.PlayScript = false;
    remote.TestFromEditor(settings);
    EXPECT_EQ(desk.log, (Log{"launch /games/gpl/gpl.exe"}));
}

TEST_F(Remote, ARenewedDriverTakesOverAtTheNextClick) {
    settings.ClickX[2] = 512;
    F5At(4000);
    desk.onPump = [&] {
        if (desk.pumps != 1) return;
        desk.screen = {2048, 1536};
        remote.RenewMouseDriver();  // while the first click is paused
    };
    remote.TestScript(settings);
    EXPECT_EQ(desk.WithPrefix("abs"), (Log{"abs 32768 0", "abs 16384 16384"}));
    EXPECT_EQ(remote.MouseDriver().ScreenWidth(), 2048);
    EXPECT_EQ(remote.ScreenWidthAtStart(), 1024);
    EXPECT_EQ(remote.ScreenHeightAtStart(), 768);
}

}  // namespace
}  // namespace vx
