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

TEST_F(EntryTest, TypedValueIsCommittedOnTabAndARefusalBeepsAndRestoresTheBox) {
    FrmMain& w = Restart();
    Activate();
    const TvCamera& camera = w.Document().TV1.Camera(1);
    TypeAndTab(Tv1().CamData(0), "120");
    EXPECT_FLOAT_EQ(camera.Float(0), 120.0f);
    EXPECT_EQ(Shown(Tv1().CamData(3)), "-120") << "the change-over point is shown again";
    EXPECT_TRUE(Tv1().CamData(1)->hasFocus());
    EXPECT_FALSE(w.Document().DataSaved);

    Save(folder + "/a.cam");
    Keys(Qt::Key_Tab);
    EXPECT_TRUE(w.Document().DataSaved) << "tabbing through a box commits nothing";
    const std::uint32_t height = camera.Raw(2);
    TypeAndTab(Tv1().CamData(2), "abc");
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(Status(), "What do you mean? Ready.");
    EXPECT_EQ(camera.Raw(2), height);
    EXPECT_EQ(Shown(Tv1().CamData(2)), "2");
    EXPECT_TRUE(Tv1().CamData(3)->hasFocus());

    w.CamData()->setCurrentIndex(2);
    TypeAndTab(Pit().CamData(3), "45.67");
    EXPECT_EQ(w.Document().Pitlane.Float(3), Radians(45.67));
    EXPECT_EQ(Pit().ValueStepperOf(3)->Position(), 46);
}

TEST_F(EntryTest, StepperClicksStepFromTheShownValueAndPositioningIsNoStep) {
    FrmMain& w = Restart();
    Activate();
    TypeAndTab(Tv1().CamData(8), "45.6");
    EXPECT_EQ(Tv1().ValueStepperOf(8)->Position(), 46);
    EXPECT_EQ(w.Document().TV1.Camera(1).Float(8), Radians(45.6));
    ClickUp(Tv1().ValueStepperOf(8));
    EXPECT_EQ(w.Document().TV1.Camera(1).Float(8), Radians(47));
    EXPECT_EQ(Shown(Tv1().CamData(8)), "47");

    Load(WriteCam("steps.cam", DocumentWithTv1({12.3456f, 500.0f}, true)));
    EXPECT_EQ(Tv1().ValueStepperOf(0)->Position(), 12346) << "a load positions the steppers";
    ClickUp(Tv1().ValueStepperOf(0));
    EXPECT_FLOAT_EQ(w.Document().TV1.Camera(1).Float(0), 13.346f);
    EXPECT_FALSE(w.Document().DataSaved);
}

TEST_F(EntryTest, ModeSwitchEnablesTheRowsOfTheModeAndOnlyTheClickIsAChange) {
    FrmMain& w = Restart();
    Activate();
    Load(WriteCam("modes.cam", DocumentWithTv1({100.0f, 200.0f})));
    EXPECT_TRUE(Tv1().CamData(5)->isEnabled());
    EXPECT_FALSE(Tv1().ValueStepperOf(9)->isEnabled());
    Click(Tv1().CamFixed());
    EXPECT_EQ(w.Document().TV1.Camera(1).Raw(TvField::Mode), 1u);
    EXPECT_FALSE(w.Document().DataSaved);
    EXPECT_FALSE(Tv1().CamData(5)->isEnabled());
    EXPECT_FALSE(Tv1().AssignToAll(6)->isEnabled());
    EXPECT_TRUE(Tv1().ValueStepperOf(9)->isEnabled());
    EXPECT_TRUE(Tv1().AssignToAll(11)->isEnabled());

    // Showing camera 2, which is moving, switches the rows back and changes nothing.
    Save(folder + "/saved.cam");
    ClickUp(Tv1().SelectionSpinner());
    EXPECT_FALSE(Tv1().CamFixed()->isChecked());
    EXPECT_TRUE(Tv1().CamData(5)->isEnabled());
    EXPECT_TRUE(w.Document().DataSaved);
}

TEST_F(EntryTest, CameraIsSelectedByItsNumberTheSpinnerAndNotByTheCount) {
    FrmMain& w = Restart();
    Activate();
    Load(WriteCam("three.cam", DocumentWithTv1({100.0f, 200.0f, 300.0f})));
    TypeAndTab(Tv1().CurrentCam(), "3");
    EXPECT_EQ(Tv1().Shown(), 3);
    EXPECT_EQ(Shown(Tv1().CamData(0)), "300");
    TypeAndTab(Tv1().CurrentCam(), "300");
    EXPECT_EQ(Status(), "Enter a number between 1 and  3. Ready.");
    EXPECT_EQ(Shown(Tv1().CurrentCam()), "3");
    ClickDown(Tv1().SelectionSpinner());
    EXPECT_EQ(KOfN(Tv1()), "2 of 3");
    EXPECT_EQ(Shown(Tv1().CamData(0)), "200");

    const int beeps = beeper.beeps;
    TypeAndTab(Tv1().TotalCams(), "5");
    EXPECT_EQ(Shown(Tv1().TotalCams()), "3");
    EXPECT_EQ(Status(), "This value is not editable. Ready.");
    EXPECT_EQ(beeper.beeps, beeps + 1);
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
    // Fixed and moving cameras in turn, a mode flag stored as 7, values finer than shown.
    CamDocument doc = DocumentWithTv1({10000.125f, 200.0f, 300.5f});
    for (int i = 1; i <= 3; ++i) doc.TV1.Camera(i).SetInt(TvField::Mode, i % 2);
    doc.TV1.Camera(3).SetInt(TvField::Mode, 7);
    doc.TV1.Camera(2).SetFloat(1, 123.4567f);
    doc.Pitlane.SetFloat(3, Radians(45.6789));
    const std::string file = WriteCam("browse.cam", doc);
    FrmMain& w = Restart();
    Activate();
    Load(file);
    // Tab order: the camera number, fields 0 to 3, the check box, then the enabled rows.
    Click(Tv1().CurrentCam());
    for (QWidget* next :
         std::initializer_list<QWidget*>{Tv1().CamData(0), Tv1().CamData(1), Tv1().CamData(2),
                                         Tv1().CamData(3), Tv1().CamFixed(), Tv1().CamData(8)}) {
        Keys(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next)
            << QApplication::focusWidget()->objectName().toStdString() << " instead of "
            << next->objectName().toStdString();
    }
    for (int camera = 1; camera <= 3; ++camera) {
        Click(Tv1().CurrentCam());
        for (int i = 0; i < 24; ++i) Keys(Qt::Key_Tab);
        ClickUp(Tv1().SelectionSpinner());
    }
    w.CamData()->setCurrentIndex(2);
    for (int i = 0; i < 10; ++i) Keys(Qt::Key_Tab);
    EXPECT_TRUE(w.Document().DataSaved);
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
    EXPECT_FALSE(w.UndoButton()->isEnabled());
    EXPECT_FALSE(w.RedoButton()->isEnabled());

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
    EXPECT_EQ(Shown(Tv1().CamData(1)), "0");

    Keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Status(),
              "Redone: Entry Distance from center-line of the track [m] (TV1 camera 1). Ready.");
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
