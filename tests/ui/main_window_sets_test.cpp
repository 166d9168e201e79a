// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The page buttons, the camera clipboard and the overview strip, as the window wires
// them to the set operations.
#include <QAction>
#include <QClipboard>

#include "editor_fixture.h"
#include "formats/cam_csv.h"
#include "formats/camera_clipboard_format.h"
#include "support/sample_camera.h"
#include "ui/camera_overview.h"

namespace vx::testing {
namespace {

class SetsTest : public EditorTest {
  protected:
    FrmMain& StartWith(const CamDocument& doc) {
        FrmMain& w = Restart();
        Activate();
        Load(WriteCam("track.cam", doc));
        EXPECT_EQ(Status(), "File loaded, data read. Ready.");
        QGuiApplication::clipboard()->clear();
        return w;
    }
    const CameraSet& Set(SetId set) { return window->Document().Set(set); }
    // Puts the focus on the page's strip, where the keys act on cameras.
    void FocusPage(TvPage& page) {
        window->CamData()->setCurrentWidget(&page);
        page.Overview()->setFocus(Qt::OtherFocusReason);
    }
    void SetClipboardText(const std::string& text) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    }
    void ClickMark(TvPage& page, int number) {
        const OverviewMark& mark = page.Overview()->Strip().marks.at(number - 1);
        QTest::mouseClick(page.Overview(), Qt::LeftButton, Qt::NoModifier,
                          {page.Overview()->MarkX(mark),
                           (CameraOverview::kMarkTop + CameraOverview::kMarkBottom) / 2});
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
    EXPECT_EQ(Tv1().Overview()->Strip().marks.size(), 2u);

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

TEST_F(SetsTest, KeysCopyAndPasteCamerasBetweenSetsAndRefusalsChangeNothing) {
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
}

TEST_F(SetsTest, EntryBoxesKeepTheirOwnTextCopyAndPaste) {
    StartWith(DocumentWithTv1({100.0f, 200.0f}));
    EntryBox* distance = Tv1().CamData(0);
    Click(distance);
    Keys(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "100") << "the whole text was selected";
    SetClipboardText("125");
    distance->selectAll();
    Keys(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Shown(distance), "125");
    EXPECT_EQ(Set(SetId::TV1).Count(), 2);

    // Nothing selected: the camera is copied, with the pending value committed first.
    QTest::keyClick(distance, Qt::Key_End);
    Keys(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Status(), "Camera copied. Ready.");
    EXPECT_FLOAT_EQ(Set(SetId::TV1).Camera(1).Float(0), 125.0f);
    // A camera on the clipboard pastes as a camera even from a box.
    Keys(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(KOfN(Tv1()), "2 of 3");
    EXPECT_EQ(Set(SetId::TV1).Camera(2), Set(SetId::TV1).Camera(1));
}

TEST_F(SetsTest, ContextMenuOffersCopyPasteUndoAndRedo) {
    StartWith(DocumentWithTv1({100.0f, 300.0f}));
    EXPECT_EQ(Tv1().contextMenuPolicy(), Qt::ActionsContextMenu);
    QStringList texts;
    for (QAction* action : Tv1().actions()) texts << action->text();
    EXPECT_EQ(texts, (QStringList{"Copy camera", "Paste camera before", "Paste camera behind", "",
                                  "Undo", "Redo"}));
    ClickUp(Tv1().SelectionSpinner());
    Tv1().CopyCameraAction()->trigger();
    Tv1().PasteBeforeAction()->trigger();
    Tv1().PasteBehindAction()->trigger();
    EXPECT_EQ(KOfN(Tv1()), "3 of 4");
    EXPECT_FLOAT_EQ(Set(SetId::TV1).Camera(3).Float(0), 300.0f);
}

TEST_F(SetsTest, ClickOnAStripMarkSelectsThatCameraAndATypedValueStaysWithItsCamera) {
    FrmMain& w = StartWith(DocumentWithTv1({100.0f, 300.0f, 700.0f}));
    ClickMark(Tv1(), 3);
    EXPECT_EQ(KOfN(Tv1()), "3 of 3");
    EXPECT_EQ(Tv1().SelectionSpinner()->Position(), 3);
    EXPECT_EQ(Shown(Tv1().CamData(0)), "700");
    EXPECT_TRUE(Tv1().Overview()->Strip().marks[2].shown);
    EXPECT_TRUE(w.Document().DataSaved) << "selecting is no change";

    Click(Tv1().CamData(2));
    QTest::keyClicks(Tv1().CamData(2), "12");
    ClickMark(Tv1(), 1);
    EXPECT_EQ(Shown(Tv1().CamData(2)), "5");
    EXPECT_FLOAT_EQ(w.Document().TV1.Camera(3).Float(2), 12.0f);
    TypeAndTab(Tv1().CamData(0), "250");
    EXPECT_DOUBLE_EQ(Tv1().Overview()->Strip().marks[0].distance, 250.0) << "the strip follows";
}

}  // namespace
}  // namespace vx::testing
