// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// Typing, stepping, the mode switch, the camera selection, undo/redo, the page buttons,
// the camera clipboard and the overview strip, as the window wires them to the
// editing operations.
#include <QAction>
#include <QClipboard>

#include "editing/field_value.h"
#include "editor_fixture.h"
#include "formats/cam_csv.h"
#include "support/sample_camera.h"
#include "ui/camera_overview.h"
#include "ui/edit_history.h"

namespace vx::testing {
namespace {

float Radians(double degrees) { return static_cast<float>(degrees * kPi / 180.0); }

using EntryTest = EditorTest;

TEST_F(EntryTest, TypingAndSteppingAreCommittedAndARefusalBeepsAndRestoresTheBox) {
    FrmMain& w = Restart();
    // The click that activates the window focuses the box before the window is active.
    Tv1().CamData(0)->setFocus(Qt::MouseFocusReason);
    Active(w);
    QCoreApplication::processEvents();
    EXPECT_EQ(Tv1().CamData(0)->selectedText(), Tv1().CamData(0)->text());
    const TvCamera& camera = w.Document().TV1.Camera(1);
    TypeAndTab(Tv1().CamData(0), "120");
    EXPECT_FLOAT_EQ(camera.Float(0), 120.0f);
    EXPECT_EQ(Shown(Tv1().CamData(3)), "-120") << "the change-over point is shown again";
    EXPECT_TRUE(Tv1().CamData(1)->hasFocus());
    Save(folder + "/a.cam");
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

TEST_F(EntryTest, ModeSwitchAndCameraSelectionWireToTheirOperationsAndOnlyTheClickIsAChange) {
    FrmMain& w = Active(Restart());
    Load(WriteCam("three.cam", DocumentWithTv1({100.0f, 200.0f, 300.0f})));
    EXPECT_TRUE(Tv1().CamData(5)->isEnabled());
    Click(Tv1().CamFixed());
    EXPECT_EQ(w.Document().TV1.Camera(1).Raw(TvField::Mode), 1u);
    EXPECT_FALSE(Tv1().CamData(5)->isEnabled() || Tv1().AssignToAll(6)->isEnabled());
    EXPECT_TRUE(Tv1().ValueStepperOf(9)->isEnabled() && Tv1().AssignToAll(11)->isEnabled());
    Save(folder + "/saved.cam");
    TypeAndTab(Tv1().CurrentCam(), "3");
    EXPECT_EQ(Shown(Tv1().CamData(0)), "300");
    EXPECT_FALSE(Tv1().CamFixed()->isChecked()) << "camera 3 is moving";
    EXPECT_TRUE(Tv1().CamData(5)->isEnabled());
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

TEST_F(EntryTest, TabbingThroughALoadedFileChangesNothingAndSavesItByteForByte) {
    // A mode flag stored as 7 and values finer than shown.
    CamDocument doc = DocumentWithTv1({10000.125f, 200.0f, 300.5f});
    doc.TV1.Camera(1).SetInt(TvField::Mode, 7);
    doc.TV1.Camera(2).SetFloat(1, 123.4567f);
    doc.Pitlane.SetFloat(3, Radians(45.6789));
    const std::string file = WriteCam("browse.cam", doc);
    FrmMain& w = Active(Restart());
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

TEST_F(EntryTest, UndoAndRedoReachTheHistoryAndShowWhereTheStepHappened) {
    const std::string file = WriteCam("three.cam", DocumentWithTv1({10.0f, 20.0f, 30.0f}));
    FrmMain& w = Active(Restart());
    Load(file);
    EXPECT_FALSE(w.UndoButton()->isEnabled() || w.RedoButton()->isEnabled());
    TypeAndTab(Tv1().CamData(1), "7");
    ClickUp(Tv1().ValueStepperOf(2));
    ClickUp(Tv1().ValueStepperOf(2));  // merges with the click before
    Click(Tv1().Remove());
    w.CamData()->setCurrentIndex(2);
    TypeAndTab(Pit().CamData(0), "99");
    w.CamData()->setCurrentIndex(1);
    ASSERT_EQ(w.History().Stack().count(), 4);
    EXPECT_EQ(w.UndoButton()->toolTip().toStdString(),
              "Undoes: Entry Absolute x-coordinate [m] (pitlane camera) (Ctrl+Z)");
    // Ctrl+Z in a box with typing of its own undoes that typing, not a step.
    Click(Tv2().CamData(0));
    QTest::keyClicks(Tv2().CamData(0), "5");
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Shown(Tv2().CamData(0)), "42");
    EXPECT_EQ(w.History().Stack().count(), 4);
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Status(), "Undone: Entry Absolute x-coordinate [m] (pitlane camera). Ready.");
    EXPECT_EQ(w.CamData()->currentWidget(), &Pit());
    Click(w.UndoButton());
    EXPECT_EQ(Status(), "Undone: Remove (TV1 camera 1). Ready.");
    EXPECT_EQ(w.CamData()->currentWidget(), &Tv1());
    EXPECT_EQ(KOfN(Tv1()), "1 of 3");
    while (w.UndoButton()->isEnabled()) Click(w.UndoButton());
    EXPECT_TRUE(w.Document().DataSaved) << "back at the loaded file";
    Keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Shown(Tv1().CamData(1)), "7");
    Keys(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Shown(Tv1().CamData(2)), "7") << "two clicks up from 5, redone as one step";
    // A save is the new saved point; a load starts a new history.
    Save(folder + "/saved.cam");
    w.UndoAction()->trigger();
    EXPECT_FALSE(w.Document().DataSaved);
    Load(file);
    EXPECT_TRUE(w.Document().DataSaved);
    EXPECT_FALSE(w.UndoButton()->isEnabled() || w.RedoButton()->isEnabled());
}

class SetsTest : public EditorTest {
  protected:
    FrmMain& StartWith(const CamDocument& doc) {
        FrmMain& w = Active(Restart());
        Load(WriteCam("track.cam", doc));
        QGuiApplication::clipboard()->clear();
        return w;
    }
    const CameraSet& Set(SetId set) { return window->Document().Set(set); }
    // The keys act on cameras where the page's strip has the focus.
    void FocusPage(TvPage& page) {
        window->CamData()->setCurrentWidget(&page);
        page.Overview()->setFocus(Qt::OtherFocusReason);
    }
    void SetClipboardText(const std::string& text) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    }
};

TEST_F(SetsTest, InsertRemoveAndAssignShowTheirResultAndAskOrBeepFirst) {
    FrmMain& w = StartWith(DocumentWithTv1({0.0f}, true));
    Click(Tv1().AddBefore());
    EXPECT_EQ(Status(),
              "Sorry, but the current camera is already at the beginning of the track. Ready.");
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_TRUE(w.Document().DataSaved);
    Click(Tv1().AddBehind());
    EXPECT_EQ(KOfN(Tv1()), "2 of 2");
    EXPECT_EQ(Shown(Tv1().CamData(0)), "200");
    EXPECT_EQ(Tv1().SelectionSpinner()->Maximum(), 2);
    boxes.answers = {BoxAnswer::Cancel, BoxAnswer::Cancel};
    Click(Tv1().AssignToAll(2));
    EXPECT_EQ(boxes.shown.back().text,
              "This will overwrite the same value of all other cameras in the TV1-set. Continue?");
    Click(Tv1().Remove());
    EXPECT_EQ(boxes.shown.back().text, "This will remove the currently shown camera. Continue?");
    EXPECT_EQ(Status(), "Action canceled by user. Ready.");
    EXPECT_EQ(Set(SetId::TV1).Count(), 2);
    Click(Tv1().AssignToAll(2));
    EXPECT_EQ(Status(), "Values copied.Ready.");
    EXPECT_FLOAT_EQ(Set(SetId::TV1).Camera(1).Float(2), Set(SetId::TV1).Camera(2).Float(2));
    Click(Tv1().Remove());
    EXPECT_EQ(KOfN(Tv1()), "1 of 1");
    Click(Tv1().Remove());
    EXPECT_EQ(Status(), "Sorry, no more TV1-cameras there to delete. Ready.");
    EXPECT_EQ(boxes.shown.size(), 4u) << "no question before a refusal";
}

TEST_F(SetsTest, KeysAndTheContextMenuCopyAndPasteCamerasAndRefusalsChangeNothing) {
    CamDocument doc = DocumentWithTv1({100.0f, 200.0f, 300.0f});
    doc.TV1.Camera(2) = SampleCamera(200.0f, 0x7FC0BEEFu);
    FrmMain& w = StartWith(doc);
    ClickUp(Tv1().SelectionSpinner());
    FocusPage(Tv1());
    Keys(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Status(), "Camera copied. Ready.");
    EXPECT_TRUE(w.Document().DataSaved) << "a copy changes nothing";
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              TvCameraCsvRow(SetId::TV1, 2, doc.TV1.Camera(2)));
    FocusPage(Tv2());
    Keys(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Set(SetId::TV2).Camera(2), doc.TV1.Camera(2));
    EXPECT_EQ(KOfN(Tv2()), "2 of 2");
    EXPECT_EQ(Shown(Tv2().CamData(0)), "200");
    // Text alone, as from another program; Ctrl+Shift+V goes before.
    SetClipboardText(TvCameraCsvRow(SetId::TV1, 9, SampleCamera(7.0f)));
    Keys(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Set(SetId::TV2).Camera(2), SampleCamera(7.0f));
    EXPECT_EQ(KOfN(Tv2()), "2 of 3");
    const CamDocument before = w.Document();
    SetClipboardText("Hello, world");
    Keys(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Status(), "Clipboard holds no camera. Ready.");
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_TRUE(w.Document().SameContent(before));

    QStringList texts;
    for (QAction* action : Tv1().actions()) texts << action->text();
    EXPECT_EQ(texts, (QStringList{"Copy camera", "Paste camera before", "Paste camera behind", "",
                                  "Undo", "Redo"}));
    EXPECT_EQ(Tv1().contextMenuPolicy(), Qt::ActionsContextMenu);
    Tv1().CopyCameraAction()->trigger();
    Tv1().PasteBeforeAction()->trigger();
    Tv1().PasteBehindAction()->trigger();
    EXPECT_EQ(KOfN(Tv1()), "3 of 5");
    EXPECT_EQ(Set(SetId::TV1).Camera(3), doc.TV1.Camera(2));
}

TEST_F(SetsTest, EntryBoxesKeepTheirOwnTextCopyAndPaste) {
    StartWith(DocumentWithTv1({100.0f, 200.0f}));
    EntryBox* distance = Tv1().CamData(0);
    Click(distance);
    Keys(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "100") << "the whole text was selected";
    SetClipboardText("125");
    Keys(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Shown(distance), "125");
    // Nothing selected: the camera is copied, with the pending value committed first.
    Keys(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Status(), "Camera copied. Ready.");
    EXPECT_FLOAT_EQ(Set(SetId::TV1).Camera(1).Float(0), 125.0f);
    Keys(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(KOfN(Tv1()), "2 of 3") << "a camera on the clipboard pastes as a camera";
}

TEST_F(SetsTest, ClickOnAStripMarkSelectsThatCameraAndATypedValueStaysWithItsCamera) {
    FrmMain& w = StartWith(DocumentWithTv1({100.0f, 300.0f, 700.0f}));
    const auto clickMark = [&](int number) {
        CameraOverview* strip = Tv1().Overview();
        QTest::mouseClick(strip, Qt::LeftButton, Qt::NoModifier,
                          {strip->MarkX(strip->Strip().marks.at(number - 1)),
                           (CameraOverview::kMarkTop + CameraOverview::kMarkBottom) / 2});
    };
    clickMark(3);
    EXPECT_EQ(KOfN(Tv1()), "3 of 3");
    EXPECT_EQ(Tv1().SelectionSpinner()->Position(), 3);
    EXPECT_EQ(Shown(Tv1().CamData(0)), "700");
    EXPECT_TRUE(w.Document().DataSaved) << "selecting is no change";
    Click(Tv1().CamData(2));
    QTest::keyClicks(Tv1().CamData(2), "12");
    clickMark(1);
    EXPECT_EQ(Shown(Tv1().CamData(2)), "5");
    EXPECT_FLOAT_EQ(w.Document().TV1.Camera(3).Float(2), 12.0f);
    TypeAndTab(Tv1().CamData(0), "250");
    EXPECT_DOUBLE_EQ(Tv1().Overview()->Strip().marks[0].distance, 250.0) << "the strip follows";
}

}  // namespace
}  // namespace vx::testing
