// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// Inserting, removing and assigning cameras through the page buttons.
#include "editor_fixture.h"

namespace vx::testing {
namespace {

class SetsTest : public EditorTest {
  protected:
    const CameraSet& Tv1Set() { return window->Document().TV1; }
    std::string KOfN() { return Shown(Tv1().CurrentCam()) + " of " + Shown(Tv1().TotalCams()); }
    void Load(const std::string& path) {
        dialog.picks.push_back(path);
        window->cmdLoadCAMFile_Click();
        ASSERT_EQ(Status(), "File loaded, data read. Ready.");
    }
};

TEST_F(SetsTest, InsertAndRemoveShowTheNewCameraAndItsNumberOfTheCount) {
    FrmMain& w = Restart();
    Activate();
    Click(Tv1().AddBefore());
    EXPECT_EQ(Status(),
              "Sorry, but the current camera is already at the beginning of the track. Ready.");
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_TRUE(w.Document().DataSaved);

    w.SetStatus("before");
    Click(Tv1().AddBehind());
    EXPECT_EQ(KOfN(), "2 of 2");
    EXPECT_EQ(Shown(Tv1().CamData(0)), "200");
    EXPECT_EQ(Status(), "before") << "a successful insertion leaves the line alone";
    EXPECT_FALSE(w.Document().DataSaved);
    EXPECT_EQ(w.Document().SizeField(), w.Document().ExpectedSizeField());

    Click(Tv1().AddBefore());
    EXPECT_EQ(KOfN(), "2 of 3");
    EXPECT_EQ(Shown(Tv1().CamData(0)), "100");
    ClickUp(Tv1().SelectionSpinner());
    EXPECT_EQ(KOfN(), "3 of 3");
    EXPECT_EQ(Shown(Tv1().CamData(0)), "200");
    EXPECT_EQ(Tv1().SelectionSpinner()->Maximum(), 3);

    // Removing the last camera shows the new last one; nothing is asked for TV2.
    boxes.answers = {BoxAnswer::Ok};
    Click(Tv1().Remove());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Vistolarex: Safety request");
    EXPECT_EQ(boxes.shown[0].text, "This will remove the currently shown camera. Continue?");
    EXPECT_EQ(boxes.shown[0].buttons, BoxButtons::OkCancel);
    EXPECT_EQ(KOfN(), "2 of 2");
    EXPECT_EQ(Shown(Tv1().CamData(0)), "100");

    boxes.answers = {BoxAnswer::Cancel};
    Click(Tv1().Remove());
    EXPECT_EQ(Status(), "Action canceled by user. Ready.");
    EXPECT_EQ(Tv1Set().Count(), 2);

    Click(Tv1().Remove());
    EXPECT_EQ(KOfN(), "1 of 1");
    EXPECT_EQ(w.Document().TV2.Count(), 1);
    const std::size_t asked = boxes.shown.size();
    Click(Tv1().Remove());
    EXPECT_EQ(Status(), "Sorry, no more TV1-cameras there to delete. Ready.");
    EXPECT_EQ(boxes.shown.size(), asked) << "no question before a refusal";
    EXPECT_EQ(w.Document().SizeField(), 172u);

    Click(Tv2().Remove());
    EXPECT_EQ(Status(), "Sorry, no more TV2-cameras there to delete. Ready.");
}

TEST_F(SetsTest, AssignToAllAsksFirstAndCopiesAsAChange) {
    FrmMain& w = Restart();
    Activate();
    Load(WriteCam("three.cam", DocumentWithTv1({10.0f, 20.0f, 30.0f}, true)));
    ClickUp(Tv1().SelectionSpinner());
    ASSERT_EQ(Tv1().Shown(), 2);
    ASSERT_TRUE(w.Document().DataSaved);

    boxes.answers = {BoxAnswer::Cancel};
    Click(Tv1().AssignToAll(2));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              "This will overwrite the same value of all other cameras in the TV1-set. Continue?");
    EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Exclamation);
    EXPECT_EQ(Status(), "Action canceled by user. Ready.");
    EXPECT_FLOAT_EQ(Tv1Set().Camera(1).Float(2), 5.0f);
    EXPECT_TRUE(w.Document().DataSaved);

    Click(Tv1().AssignToAll(2));
    EXPECT_EQ(Status(), "Values copied.Ready.");
    for (int i = 1; i <= 3; ++i) EXPECT_FLOAT_EQ(Tv1Set().Camera(i).Float(2), 6.0f) << i;
    EXPECT_FLOAT_EQ(Tv1Set().Camera(1).Float(0), 10.0f);
    EXPECT_FALSE(w.Document().DataSaved);

    Click(Tv2().AssignToAll(0));
    EXPECT_EQ(boxes.shown.back().text,
              "This will overwrite the same value of all other cameras in the TV2-set. Continue?");
    EXPECT_EQ(Status(), "Values copied.Ready.");
}

TEST_F(SetsTest, EmptySetFromAFileShowsZeroAndCanBeFilledAgain) {
    FrmMain& w = Restart();
    Activate();
    CamDocument doc = DocumentWithTv1({});
    Load(WriteCam("empty.cam", doc));
    EXPECT_EQ(KOfN(), "0 of 0");
    for (int field = 0; field < kTvFieldCount; ++field) {
        EXPECT_FALSE(Tv1().CamData(field)->isEnabled()) << field;
        EXPECT_FALSE(Tv1().ValueStepperOf(field)->isEnabled()) << field;
    }
    EXPECT_FALSE(Tv1().AssignToAll(0)->isEnabled());
    EXPECT_FALSE(Tv1().CamFixed()->isEnabled());
    EXPECT_FALSE(Tv1().SelectionSpinner()->isEnabled());
    EXPECT_TRUE(Tv1().AddBefore()->isEnabled());
    EXPECT_EQ(Shown(w.Tv2Page().CamData(0)), "42");

    Click(Tv1().Remove());
    EXPECT_EQ(Status(), "Sorry, no more TV1-cameras there to delete. Ready.");
    Click(Tv1().AddBehind());
    EXPECT_EQ(KOfN(), "1 of 1");
    EXPECT_TRUE(Tv1().CamData(0)->isEnabled());
    EXPECT_TRUE(Tv1().AssignToAll(0)->isEnabled());
    EXPECT_EQ(w.Document().SizeField(), w.Document().ExpectedSizeField());

    dialog.picks.push_back(folder + "/filled.cam");
    w.cmdSaveCAMFile_Click();
    EXPECT_EQ(ReadBytes(folder + "/filled.cam").size(), 72u + 56u * 2u);
}

}  // namespace
}  // namespace vx::testing
