// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// Undo and redo in the window, and a document that only changes when the user changes it.
#include <QAction>

#include "editing/field_value.h"
#include "editor_fixture.h"
#include "ui/edit_history.h"

namespace vx::testing {
namespace {

float RadiansOf(double degrees) { return static_cast<float>(degrees * kPi / 180.0); }

bool SameBits(const CamDocument& a, const CamDocument& b) {
    return a.Header == b.Header && a.TV1 == b.TV1 && a.TV2 == b.TV2 && a.Pitlane == b.Pitlane;
}

class UndoTest : public EditorTest {
  protected:
    void Load(const std::string& path) {
        dialog.picks.push_back(path);
        window->cmdLoadCAMFile_Click();
        ASSERT_EQ(Status(), "File loaded, data read. Ready.");
    }
    void Save(const std::string& path) {
        dialog.picks.push_back(path);
        window->cmdSaveCAMFile_Click();
        ASSERT_EQ(Status(), "File written. Ready.");
    }
    void Keys(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    // Tab from the camera-number box through every stop of the page's rows.
    void TabThrough(TvPage& page) {
        Click(page.CurrentCam());
        for (int i = 0; i < 24; ++i) Keys(Qt::Key_Tab, Qt::NoModifier);
    }
};

TEST_F(UndoTest, BrowsingAndTabbingALoadedFileChangesNothingAndSavesItByteForByte) {
    // Fixed and moving cameras in turn, a mode flag stored as 7, and values finer than
    // the boxes show them.
    CamDocument doc = DocumentWithTv1({10000.125f, 200.0f, 300.5f, 400.0f});
    for (int i = 1; i <= 4; ++i) doc.TV1.Camera(i).SetInt(TvField::Mode, i % 2);
    doc.TV1.Camera(3).SetInt(TvField::Mode, 7);
    doc.TV1.Camera(2).SetFloat(1, 123.4567f);
    doc.TV1.Camera(3).SetFloat(8, RadiansOf(45.6));
    doc.Pitlane.SetFloat(0, 123.4567f);
    doc.Pitlane.SetFloat(3, RadiansOf(45.6789));
    const std::string file = WriteCam("browse.cam", doc);
    FrmMain& w = Restart();
    Activate();
    Load(file);
    EXPECT_EQ(Shown(Tv1().CamData(0)), "10000.12") << "an exact half rounds to even";

    Click(Tv1().CurrentCam());
    Keys(Qt::Key_Tab, Qt::NoModifier);
    EXPECT_TRUE(Tv1().CamData(0)->hasFocus()) << "the count box is no tab stop";
    for (int camera = 1; camera <= 4; ++camera) {
        ASSERT_EQ(Tv1().Shown(), camera);
        EXPECT_EQ(Tv1().CamFixed()->isChecked(), camera % 2 == 1 || camera == 3);
        TabThrough(Tv1());
        ClickUp(Tv1().SelectionSpinner());
    }
    w.CamData()->setCurrentIndex(1);
    TabThrough(Tv2());
    w.CamData()->setCurrentIndex(2);
    for (int i = 0; i < 10; ++i) Keys(Qt::Key_Tab, Qt::NoModifier);
    w.CamData()->setCurrentIndex(0);

    EXPECT_TRUE(w.Document().DataSaved);
    EXPECT_FALSE(w.UndoButton()->isEnabled());
    Save(folder + "/again.cam");
    EXPECT_EQ(ReadBytes(folder + "/again.cam"), ReadBytes(file));
}

TEST_F(UndoTest, EveryKindOfStepIsUndoneAndRedoneAndShowsWhereItHappened) {
    const std::string file = WriteCam("three.cam", DocumentWithTv1({10.0f, 20.0f, 30.0f}));
    FrmMain& w = Restart();
    Activate();
    Load(file);
    const CamDocument loaded = w.Document();
    EXPECT_FALSE(w.UndoButton()->isEnabled());
    EXPECT_FALSE(w.RedoButton()->isEnabled());

    TypeAndTab(Tv1().CamData(1), "7");
    ClickUp(Tv1().ValueStepperOf(2));
    ClickUp(Tv1().ValueStepperOf(2));  // merges with the click before
    Click(Tv1().CamFixed());
    Click(Tv1().AddBehind());
    Click(Tv1().AssignToAll(2));
    ClickUp(Tv1().SelectionSpinner());
    Click(Tv1().Remove());
    w.CamData()->setCurrentIndex(2);
    TypeAndTab(Pit().CamData(0), "99");
    w.CamData()->setCurrentIndex(1);
    ASSERT_EQ(w.History().Stack().count(), 7);
    const CamDocument done = w.Document();
    EXPECT_FALSE(done.DataSaved);
    EXPECT_EQ(w.UndoButton()->toolTip().toStdString(),
              "Undoes: Entry Absolute x-coordinate [m] (pitlane camera) (Ctrl+Z)");

    // Ctrl+Z in a box with typing of its own undoes that typing, not a step.
    Click(Tv2().CamData(0));
    QTest::keyClicks(Tv2().CamData(0), "5");
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Shown(Tv2().CamData(0)), "42");
    EXPECT_EQ(w.History().Stack().count(), 7);

    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Status(), "Undone: Entry Absolute x-coordinate [m] (pitlane camera). Ready.");
    EXPECT_EQ(w.CamData()->currentWidget(), &Pit());
    Click(w.UndoButton());
    EXPECT_EQ(Status(), "Undone: Remove (TV1 camera 3). Ready.");
    EXPECT_EQ(w.CamData()->currentWidget(), &Tv1());
    EXPECT_EQ(Tv1().Shown(), 3);
    EXPECT_EQ(Shown(Tv1().TotalCams()), "4");
    while (w.UndoButton()->isEnabled()) Click(w.UndoButton());
    EXPECT_TRUE(SameBits(w.Document(), loaded));
    EXPECT_TRUE(w.Document().DataSaved) << "back at the loaded file";
    EXPECT_EQ(Shown(Tv1().CamData(1)), "0");
    EXPECT_EQ(Tv1().Shown(), 1);

    Keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Status(),
              "Redone: Entry Distance from center-line of the track [m] (TV1 camera 1). "
              "Ready.");
    EXPECT_EQ(Shown(Tv1().CamData(1)), "7");
    while (w.RedoButton()->isEnabled()) Keys(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(SameBits(w.Document(), done));
    EXPECT_FALSE(w.Document().DataSaved);

    // A save is the new saved point; a load starts a new history.
    Save(folder + "/saved.cam");
    EXPECT_TRUE(w.Document().DataSaved);
    w.UndoAction()->trigger();
    EXPECT_FALSE(w.Document().DataSaved);
    Load(file);
    EXPECT_TRUE(w.Document().DataSaved);
    EXPECT_FALSE(w.UndoButton()->isEnabled());
    EXPECT_FALSE(w.RedoButton()->isEnabled());
}

}  // namespace
}  // namespace vx::testing
