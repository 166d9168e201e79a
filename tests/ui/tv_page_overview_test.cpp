// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The overview strip on the TV pages: a click on a mark selects that camera, and
// the strip follows every change of its set.
#include "editor_fixture.h"
#include "ui/camera_overview.h"

namespace vx::testing {
namespace {

class OverviewTest : public EditorTest {
  protected:
    void Load(const CamDocument& doc) {
        dialog.picks.push_back(WriteCam("track.cam", doc));
        window->cmdLoadCAMFile_Click();
        ASSERT_EQ(Status(), "File loaded, data read. Ready.");
    }
    const OverviewStrip& Strip(TvPage& page) { return page.Overview()->Strip(); }
    std::vector<int> ShownMarks(TvPage& page) {
        std::vector<int> shown;
        for (const OverviewMark& mark : Strip(page).marks) {
            if (mark.shown) shown.push_back(mark.number);
        }
        return shown;
    }
    void ClickMark(TvPage& page, int number) {
        CameraOverview* strip = page.Overview();
        const OverviewMark& mark = Strip(page).marks.at(static_cast<std::size_t>(number - 1));
        const QPoint at(strip->MarkX(mark),
                        (CameraOverview::kMarkTop + CameraOverview::kMarkBottom) / 2);
        QTest::mouseClick(strip, Qt::LeftButton, Qt::NoModifier, at);
    }
};

TEST_F(OverviewTest, ClickOnAMarkSelectsThatCameraAsTypingItsNumberWould) {
    Restart();
    Activate();
    Load(DocumentWithTv1({100.0f, 300.0f, 700.0f, 1500.0f}));
    TvPage& page = Tv1();
    EXPECT_EQ(page.Overview()->objectName(), "ovTV1");
    EXPECT_EQ(Tv2().Overview()->objectName(), "ovTV2");
    ASSERT_EQ(Strip(page).marks.size(), 4u);
    EXPECT_EQ(ShownMarks(page), std::vector<int>{1});
    const bool saved = window->Document().DataSaved;

    ClickMark(page, 3);
    EXPECT_EQ(page.Shown(), 3);
    EXPECT_EQ(Shown(page.CurrentCam()), "3");
    EXPECT_EQ(page.SelectionSpinner()->Position(), 3);
    EXPECT_EQ(Shown(page.CamData(0)), "700");
    EXPECT_EQ(Shown(page.CamData(2)), "7");
    EXPECT_EQ(ShownMarks(page), std::vector<int>{3});
    EXPECT_EQ(window->Document().DataSaved, saved) << "selecting is no change";

    // A value typed but not yet committed belongs to the camera it was typed for.
    Click(page.CamData(2));
    QTest::keyClicks(page.CamData(2), "12");
    ClickMark(page, 1);
    EXPECT_EQ(page.Shown(), 1);
    EXPECT_EQ(Shown(page.CamData(2)), "5");
    EXPECT_FLOAT_EQ(window->Document().TV1.Camera(3).Float(2), 12.0f);
    EXPECT_FLOAT_EQ(window->Document().TV1.Camera(1).Float(2), 5.0f);

    // Clicking the other page's strip leaves this page alone.
    window->CamData()->setCurrentIndex(1);
    ClickMark(Tv2(), 1);
    EXPECT_EQ(Tv2().Shown(), 1);
    EXPECT_EQ(page.Shown(), 1);
}

TEST_F(OverviewTest, StripFollowsInsertsRemovesEntriesAssignsAndTheModeSwitch) {
    FrmMain& w = Restart();
    Activate();
    Load(DocumentWithTv1({100.0f, 300.0f}));
    TvPage& page = Tv1();

    Click(page.AddBehind());
    ASSERT_EQ(Strip(page).marks.size(), 3u);
    EXPECT_EQ(ShownMarks(page), std::vector<int>{2});
    EXPECT_DOUBLE_EQ(Strip(page).marks[1].distance, 200.0);
    EXPECT_DOUBLE_EQ(Strip(page).marks[2].distance, 300.0);

    TypeAndTab(page.CamData(0), "250");
    EXPECT_DOUBLE_EQ(Strip(page).marks[1].distance, 250.0);

    Click(page.Remove());
    ASSERT_EQ(Strip(page).marks.size(), 2u);
    EXPECT_EQ(ShownMarks(page), std::vector<int>{2});
    EXPECT_DOUBLE_EQ(Strip(page).marks[1].distance, 300.0);

    Click(page.AssignToAll(0));
    ASSERT_EQ(Status(), "Values copied.Ready.");
    EXPECT_DOUBLE_EQ(Strip(page).marks[0].distance, 300.0);

    const bool fixed = Strip(page).marks[1].fixed;
    Click(page.CamFixed());
    EXPECT_NE(Strip(page).marks[1].fixed, fixed);
    EXPECT_EQ(Strip(page).marks[0].fixed, fixed) << "only the shown camera switched";

    // A load replaces the whole strip and shows camera 1 again.
    Load(DocumentWithTv1({10.0f, 20.0f, 30.0f, 40.0f, 50.0f}));
    EXPECT_EQ(Strip(page).marks.size(), 5u);
    EXPECT_EQ(ShownMarks(page), std::vector<int>{1});
    EXPECT_EQ(Strip(w.Tv2Page()).marks.size(), 1u);
}

}  // namespace
}  // namespace vx::testing
