// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// Typing, stepping, the mode switch, the camera selection and undo/redo as the
// window wires them to the editing operations.
#include <QAction>

#include "editing/field_value.h"
#include "editor_fixture.h"
#include "ui/edit_history.h"

namespace vx::testing {
namespace {

float Radians(double degrees) { return static_cast<float>(degrees * kPi / 180.0); }

bool SameBits(const CamDocument& a, const CamDocument& b) {
    return a.Header == b.Header && a.TV1 == b.TV1 && a.TV2 == b.TV2 && a.Pitlane == b.Pitlane;
}

using EntryTest = EditorTest;

TEST_F(EntryTest, TypingAndSteppingAreCommittedAndARefusalBeepsAndRestoresTheBox) {
    FrmMain& w = Restart();
    Activate();
    const TvCamera& camera = w.Document().TV1.Camera(1);
    TypeAndTab(Tv1().CamData(0), "120");
    EXPECT_FLOAT_EQ(camera.Float(0), 120.0f);
    EXPECT_EQ(Shown(Tv1().CamData(3)), "-120") << "the change-over point is shown again";
    EXPECT_TRUE(Tv1().CamData(1)->hasFocus());
    Save(folder + "/a.cam");
    Keys(Qt::Key_Tab);
    EXPECT_TRUE(w.Document().DataSaved) << "tabbing through a box commits nothing";
    TypeAndTab(Tv1().CamData(2), "abc");
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(Status(), "What do you mean? Ready.");
    EXPECT_EQ(Shown(Tv1().CamData(2)), "2");
    EXPECT_TRUE(Tv1().CamData(3)->hasFocus());
    EXPECT_TRUE(w.Document().DataSaved);

    // A stepper positioned by the program does not step; a click steps from the box.
    TypeAndTab(Tv1().CamData(8), "45.6");
    EXPECT_EQ(camera.Float(8), Radians(45.6));
    ClickUp(Tv1().ValueStepperOf(8));
    EXPECT_EQ(camera.Float(8), Radians(47));
    EXPECT_EQ(Shown(Tv1().CamData(8)), "47");
    w.CamData()->setCurrentIndex(2);
    TypeAndTab(Pit().CamData(3), "45.67");
    EXPECT_EQ(w.Document().Pitlane.Float(3), Radians(45.67));
    EXPECT_EQ(Pit().ValueStepperOf(3)->Position(), 46);
}

TEST_F(EntryTest, ModeSwitchEnablesTheRowsOfTheModeAndOnlyTheClickIsAChange) {
    FrmMain& w = Restart();
    Activate();
    Load(WriteCam("modes.cam", DocumentWithTv1({100.0f, 200.0f})));
    EXPECT_TRUE(Tv1().CamData(5)->isEnabled());
    Click(Tv1().CamFixed());
    EXPECT_EQ(w.Document().TV1.Camera(1).Raw(TvField::Mode), 1u);
    EXPECT_FALSE(Tv1().CamData(5)->isEnabled() || Tv1().AssignToAll(6)->isEnabled());
    EXPECT_TRUE(Tv1().ValueStepperOf(9)->isEnabled() && Tv1().AssignToAll(11)->isEnabled());
    Save(folder + "/saved.cam");
    ClickUp(Tv1().SelectionSpinner());  // camera 2 is moving
    EXPECT_FALSE(Tv1().CamFixed()->isChecked());
    EXPECT_TRUE(Tv1().CamData(5)->isEnabled());
    EXPECT_TRUE(w.Document().DataSaved);
}

TEST_F(EntryTest, CameraIsSelectedByItsNumberOrTheSpinnerAndTheCountIsNoEntry) {
    FrmMain& w = Restart();
    Activate();
    Load(WriteCam("three.cam", DocumentWithTv1({100.0f, 200.0f, 300.0f})));
    TypeAndTab(Tv1().CurrentCam(), "3");
    EXPECT_EQ(Shown(Tv1().CamData(0)), "300");
    TypeAndTab(Tv1().CurrentCam(), "300");
    EXPECT_EQ(Status(), "Enter a number between 1 and  3. Ready.");
    EXPECT_EQ(Shown(Tv1().CurrentCam()), "3");
    ClickUp(Tv1().SelectionSpinner(), false);
    EXPECT_EQ(KOfN(Tv1()), "2 of 3");
    EXPECT_EQ(Shown(Tv1().CamData(0)), "200");
    TypeAndTab(Tv1().TotalCams(), "5");
    EXPECT_EQ(Shown(Tv1().TotalCams()), "3");
    EXPECT_EQ(Status(), "This value is not editable. Ready.");
    EXPECT_EQ(beeper.beeps, 2);
    EXPECT_TRUE(w.Document().DataSaved);
}

TEST_F(EntryTest, TheFirstClickAfterStartUpSelectsTheBoxsText) {
    Restart();
    // The click that activates the window focuses the box before the window is active.
    Tv1().CamData(0)->setFocus(Qt::MouseFocusReason);
    Activate();
    QCoreApplication::processEvents();
    ASSERT_TRUE(Tv1().CamData(0)->hasFocus());
    EXPECT_EQ(Tv1().CamData(0)->selectedText(), Tv1().CamData(0)->text());
}

TEST_F(EntryTest, TabbingThroughALoadedFileChangesNothingAndSavesItByteForByte) {
    // Fixed and moving cameras, a mode flag stored as 7, values finer than shown.
    CamDocument doc = DocumentWithTv1({10000.125f, 200.0f, 300.5f});
    doc.TV1.Camera(1).SetInt(TvField::Mode, 7);
    doc.TV1.Camera(2).SetFloat(1, 123.4567f);
    doc.Pitlane.SetFloat(3, Radians(45.6789));
    const std::string file = WriteCam("browse.cam", doc);
    FrmMain& w = Restart();
    Activate();
    Load(file);
    Click(Tv1().CurrentCam());
    for (QWidget* next :
         std::initializer_list<QWidget*>{Tv1().CamData(0), Tv1().CamData(1), Tv1().CamData(2),
                                         Tv1().CamData(3), Tv1().CamFixed(), Tv1().CamData(8)}) {
        Keys(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
    for (int camera = 1; camera <= 3; ++camera) {
        Click(Tv1().CurrentCam());
        for (int i = 0; i < 24; ++i) Keys(Qt::Key_Tab);
        ClickUp(Tv1().SelectionSpinner());
    }
    w.CamData()->setCurrentIndex(2);
    for (int i = 0; i < 10; ++i) Keys(Qt::Key_Tab);
    EXPECT_FALSE(w.UndoButton()->isEnabled());
    Save(folder + "/again.cam");
    EXPECT_EQ(ReadBytes(folder + "/again.cam"), ReadBytes(file));
}

TEST_F(EntryTest, UndoAndRedoWalkEveryKindOfStepAndShowWhereItHappened) {
    const std::string file = WriteCam("three.cam", DocumentWithTv1({10.0f, 20.0f, 30.0f}));
    FrmMain& w = Restart();
    Activate();
    Load(file);
    const CamDocument loaded = w.Document();
    EXPECT_FALSE(w.UndoButton()->isEnabled() || w.RedoButton()->isEnabled());
    TypeAndTab(Tv1().CamData(1), "7");
    ClickUp(Tv1().ValueStepperOf(2));
    ClickUp(Tv1().ValueStepperOf(2));  // merges with the click before
    Click(Tv1().CamFixed());
    Click(Tv1().AddBehind());
    Click(Tv1().AssignToAll(2));
    Click(Tv1().Remove());
    w.CamData()->setCurrentIndex(2);
    TypeAndTab(Pit().CamData(0), "99");
    w.CamData()->setCurrentIndex(1);
    ASSERT_EQ(w.History().Stack().count(), 7);
    const CamDocument done = w.Document();
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
    EXPECT_EQ(Status(), "Undone: Remove (TV1 camera 2). Ready.");
    EXPECT_EQ(w.CamData()->currentWidget(), &Tv1());
    EXPECT_EQ(KOfN(Tv1()), "2 of 4");
    while (w.UndoButton()->isEnabled()) Click(w.UndoButton());
    EXPECT_TRUE(SameBits(w.Document(), loaded));
    EXPECT_TRUE(w.Document().DataSaved) << "back at the loaded file";
    Keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Shown(Tv1().CamData(1)), "7");
    while (w.RedoButton()->isEnabled()) Keys(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(SameBits(w.Document(), done));

    // A save is the new saved point; a load starts a new history.
    Save(folder + "/saved.cam");
    w.UndoAction()->trigger();
    EXPECT_FALSE(w.Document().DataSaved);
    Load(file);
    EXPECT_TRUE(w.Document().DataSaved);
    EXPECT_FALSE(w.UndoButton()->isEnabled() || w.RedoButton()->isEnabled());
}

}  // namespace
}  // namespace vx::testing
