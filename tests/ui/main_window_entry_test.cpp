// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// Typing, stepping, the mode switch and the camera selection on the editor's pages.
#include <QLineEdit>
#include <cmath>

#include "editing/field_value.h"
#include "editing/locale_number.h"
#include "editor_fixture.h"

namespace vx::testing {
namespace {

float Radians(double degrees) { return static_cast<float>(degrees * kPi / 180.0); }

class EntryTest : public EditorTest {
  protected:
    const TvCamera& Camera(int number) { return window->Document().TV1.Camera(number); }
    // Loads a file through the Load button.
    void Load(const std::string& path) {
        dialog.picks.push_back(path);
        window->cmdLoadCAMFile_Click();
        ASSERT_EQ(Status(), "File loaded, data read. Ready.");
    }
};

TEST_F(EntryTest, TypedValueIsCommittedWhenTheUserTabsOn) {
    FrmMain& w = Restart();
    Activate();
    TypeAndTab(Tv1().CamData(0), "120");
    EXPECT_FLOAT_EQ(Camera(1).Float(0), 120.0f);
    // The change-over point keeps its place on the track.
    EXPECT_FLOAT_EQ(Camera(1).Float(3), -120.0f);
    EXPECT_EQ(Shown(Tv1().CamData(0)), "120");
    EXPECT_EQ(Shown(Tv1().CamData(3)), "-120");
    EXPECT_TRUE(Tv1().CamData(1)->hasFocus());
    EXPECT_FALSE(w.Document().DataSaved);
    EXPECT_EQ(beeper.beeps, 0);
    EXPECT_EQ(Status(), "Welcome to Vistolarex by Quennith of Brevona. Ready to rumble ;-) !");

    // Tabbing through a box without typing commits nothing.
    w.cmdSaveCAMFile_Click();  // no pick: cancelled
    EXPECT_EQ(Status(), "Cancel pressed. Save aborted. Ready.");
    dialog.picks.push_back(folder + "/a.cam");
    w.cmdSaveCAMFile_Click();
    ASSERT_TRUE(w.Document().DataSaved);
    QTest::keyClick(Tv1().CamData(1), Qt::Key_Tab);
    EXPECT_TRUE(w.Document().DataSaved);

    // The pitlane page commits the same way.
    w.CamData()->setCurrentIndex(2);
    TypeAndTab(Pit().CamData(3), "45.67");
    EXPECT_EQ(w.Document().Pitlane.Float(3), Radians(45.67));
    EXPECT_EQ(Shown(Pit().CamData(3)), "45.67");
    EXPECT_EQ(Pit().ValueStepperOf(3)->Position(), 46);
}

TEST_F(EntryTest, RefusedEntryBeepsRestoresTheValueAndLeavesTheFocusWhereItWent) {
    FrmMain& w = Restart();
    Activate();
    const std::uint32_t height = Camera(1).Raw(2);
    TypeAndTab(Tv1().CamData(2), "abc");
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(Status(), "What do you mean? Ready.");
    EXPECT_EQ(Camera(1).Raw(2), height);
    EXPECT_EQ(Shown(Tv1().CamData(2)), "2");
    EXPECT_TRUE(Tv1().CamData(3)->hasFocus());
    EXPECT_TRUE(w.Document().DataSaved);

    // The tooltip names -200, but a height below ground is refused.
    w.SetStatus("");
    TypeAndTab(Tv1().CamData(2), "-1");
    EXPECT_EQ(beeper.beeps, 2);
    EXPECT_EQ(Status(), "What do you mean? Ready.");
    EXPECT_EQ(Camera(1).Raw(2), height);

    // An emptied box is refused the same way.
    Click(Tv1().CamData(1));
    QTest::keyClick(Tv1().CamData(1), Qt::Key_Delete);
    QTest::keyClick(Tv1().CamData(1), Qt::Key_Tab);
    EXPECT_EQ(beeper.beeps, 3);
    EXPECT_EQ(Shown(Tv1().CamData(1)), "0");

    w.CamData()->setCurrentIndex(2);
    TypeAndTab(Pit().CamData(0), "50000.5");
    EXPECT_EQ(beeper.beeps, 4);
    EXPECT_EQ(Shown(Pit().CamData(0)), "0");
}

TEST_F(EntryTest, CommaLocaleShowsAndReadsCommas) {
    QLocale::setDefault(QLocale(QLocale::German));
    FrmMain& w = Restart();
    Activate();
    EXPECT_EQ(Shown(Tv2().CamData(5)), "0,1");
    TypeAndTab(Tv2().CamData(2), "12,5");
    EXPECT_FLOAT_EQ(w.Document().TV2.Camera(1).Float(2), 12.5f);
    EXPECT_EQ(Shown(Tv2().CamData(2)), "12,5");
    TypeAndTab(Tv2().CamData(1), "1;5");
    EXPECT_EQ(Status(), "What do you mean? Ready.");
    EXPECT_EQ(beeper.beeps, 1);
}

TEST_F(EntryTest, ClickingSaveRightAfterTypingSavesTheTypedValue) {
    FrmMain& w = Restart();
    Activate();
    Click(Tv1().CamData(0));
    QTest::keyClicks(Tv1().CamData(0), "250");
    dialog.picks.push_back(folder + "/typed.cam");
    Click(w.findChild<QPushButton*>("cmdSaveCAMFile"));
    EXPECT_EQ(Status(), "File written. Ready.");
    const auto bytes = ReadBytes(folder + "/typed.cam");
    ASSERT_EQ(bytes.size(), 184u);
    EXPECT_EQ(FieldAt(bytes, 16), FloatBits(250.0f));
    EXPECT_EQ(FieldAt(bytes, 16 + 12), FloatBits(-250.0f));
    EXPECT_TRUE(w.Document().DataSaved);
}

TEST_F(EntryTest, StepperClicksStepFromTheShownValueAndProgramPositioningIsNoStep) {
    FrmMain& w = Restart();
    Activate();
    // Yaw typed as 45.6 shows 46; one click up stores exactly 47 degrees.
    TypeAndTab(Tv1().CamData(8), "45.6");
    EXPECT_EQ(Shown(Tv1().CamData(8)), "46");
    EXPECT_EQ(Tv1().ValueStepperOf(8)->Position(), 46);
    EXPECT_EQ(Camera(1).Float(8), Radians(45.6)) << "positioning the stepper is no step";
    ClickUp(Tv1().ValueStepperOf(8));
    EXPECT_EQ(Camera(1).Float(8), Radians(47));
    EXPECT_EQ(Shown(Tv1().CamData(8)), "47");

    // A step is a change like any other.
    dialog.picks.push_back(folder + "/stepped.cam");
    w.cmdSaveCAMFile_Click();
    ClickDown(Tv1().ValueStepperOf(2));
    EXPECT_FLOAT_EQ(Camera(1).Float(2), 1.0f);
    ClickDown(Tv1().ValueStepperOf(2));
    ClickDown(Tv1().ValueStepperOf(2));
    // Below ground by stepping, which typing would refuse.
    EXPECT_FLOAT_EQ(Camera(1).Float(2), -1.0f);
    EXPECT_FALSE(w.Document().DataSaved);

    // A load positions every stepper; the next click steps from the loaded value.
    CamDocument doc = DocumentWithTv1({12.3456f, 50000.0f}, true);
    doc.Pitlane.SetFloat(0, 123.4567f);
    Load(WriteCam("steps.cam", doc));
    EXPECT_EQ(Tv1().ValueStepperOf(0)->Position(), 12346);
    ClickUp(Tv1().ValueStepperOf(0));
    EXPECT_FLOAT_EQ(Camera(1).Float(0), 13.346f);
    EXPECT_FLOAT_EQ(Camera(1).Float(3), 0.0f) << "a step never moves the change-over point";
    w.CamData()->setCurrentIndex(2);
    ClickUp(Pit().ValueStepperOf(0));
    EXPECT_FLOAT_EQ(w.Document().Pitlane.Float(0), 124.457f);

    // Selecting camera 2 positions the steppers there; at 50000 m up does nothing.
    w.CamData()->setCurrentIndex(0);
    ClickUp(Tv1().SelectionSpinner());
    ASSERT_EQ(Tv1().Shown(), 2);
    const std::uint32_t far = Camera(2).Raw(0);
    ClickUp(Tv1().ValueStepperOf(0));
    EXPECT_EQ(Camera(2).Raw(0), far);
    ClickDown(Tv1().ValueStepperOf(0));
    EXPECT_FLOAT_EQ(Camera(2).Float(0), 49999.0f);
    EXPECT_EQ(Shown(Tv1().CamData(0)), "49999");
}

TEST_F(EntryTest, ModeSwitchEnablesTheRowsOfTheModeAndOnlyTheClickIsAChange) {
    FrmMain& w = Restart();
    Activate();
    Load(WriteCam("modes.cam", DocumentWithTv1({100.0f, 200.0f})));
    dialog.picks.push_back(folder + "/saved.cam");
    w.cmdSaveCAMFile_Click();
    ASSERT_TRUE(w.Document().DataSaved);
    // Camera 1 is moving: zoom rows on, angle rows off.
    EXPECT_TRUE(Tv1().CamData(5)->isEnabled());
    EXPECT_FALSE(Tv1().CamData(8)->isEnabled());
    EXPECT_FALSE(Tv1().ValueStepperOf(9)->isEnabled());
    EXPECT_FALSE(Tv1().AssignToAll(11)->isEnabled());

    Click(Tv1().CamFixed());
    EXPECT_EQ(Camera(1).Raw(TvField::Mode), 1u) << "the integer 1, not 1.0";
    EXPECT_FALSE(w.Document().DataSaved);
    for (int field : {5, 6, 7}) {
        EXPECT_FALSE(Tv1().CamData(field)->isEnabled()) << field;
        EXPECT_FALSE(Tv1().ValueStepperOf(field)->isEnabled()) << field;
        EXPECT_FALSE(Tv1().AssignToAll(field)->isEnabled()) << field;
    }
    for (int field : {8, 9, 10, 11}) {
        EXPECT_TRUE(Tv1().CamData(field)->isEnabled()) << field;
        EXPECT_TRUE(Tv1().ValueStepperOf(field)->isEnabled()) << field;
        EXPECT_TRUE(Tv1().AssignToAll(field)->isEnabled()) << field;
    }
    EXPECT_FLOAT_EQ(Camera(1).Float(5), 0.5f) << "the zoom factor is kept";
    EXPECT_EQ(Shown(Tv1().CamData(5)), "0.5");

    // Showing camera 2, which is moving, switches the rows back and changes nothing.
    dialog.picks.push_back(folder + "/saved.cam");
    w.cmdSaveCAMFile_Click();
    ClickUp(Tv1().SelectionSpinner());
    EXPECT_FALSE(Tv1().CamFixed()->isChecked());
    EXPECT_TRUE(Tv1().CamData(5)->isEnabled());
    EXPECT_FALSE(Tv1().CamData(8)->isEnabled());
    EXPECT_TRUE(w.Document().DataSaved);
    EXPECT_EQ(Camera(2).Raw(TvField::Mode), 0u);
}

TEST_F(EntryTest, CameraIsSelectedByTypingItsNumberOrByTheSpinner) {
    FrmMain& w = Restart();
    Activate();
    std::vector<float> distances;
    for (int i = 1; i <= 12; ++i) distances.push_back(100.0f * static_cast<float>(i));
    Load(WriteCam("twelve.cam", DocumentWithTv1(distances)));
    EntryBox* number = Tv1().CurrentCam();

    struct Case {
        const char* typed;
        int shown;
    };
    for (Case c : {Case{"7", 7}, Case{"0", 1}, Case{"40", 12}, Case{"2.5", 2}, Case{"3.5", 4}}) {
        TypeAndTab(number, c.typed);
        EXPECT_EQ(Tv1().Shown(), c.shown) << c.typed;
        EXPECT_EQ(Shown(number), std::to_string(c.shown)) << c.typed;
        EXPECT_EQ(Shown(Tv1().CamData(0)), std::to_string(100 * c.shown)) << c.typed;
    }
    EXPECT_EQ(beeper.beeps, 0);
    for (const char* refused : {"300", "-3", "abc"}) {
        TypeAndTab(number, refused);
        EXPECT_EQ(Tv1().Shown(), 4) << refused;
        EXPECT_EQ(Shown(number), "4") << refused;
        EXPECT_EQ(Status(), "Enter a number between 1 and  12. Ready.") << refused;
    }
    // Rounding to the camera already shown keeps the text as typed.
    TypeAndTab(number, "4.2");
    EXPECT_EQ(Shown(number), "4.2");
    EXPECT_EQ(Tv1().Shown(), 4);

    ClickUp(Tv1().SelectionSpinner());
    EXPECT_EQ(Tv1().Shown(), 5);
    EXPECT_EQ(Shown(number), "5");
    EXPECT_EQ(Shown(Tv1().CamData(0)), "500");
    TypeAndTab(number, "12");
    ClickUp(Tv1().SelectionSpinner());
    EXPECT_EQ(Tv1().Shown(), 12) << "the spinner stops at the count";
    for (int i = 0; i < 12; ++i) ClickDown(Tv1().SelectionSpinner());
    EXPECT_EQ(Tv1().Shown(), 1);
    EXPECT_EQ(w.Document().TV1.Count(), 12);

    // The count cannot be typed over.
    const int beeps = beeper.beeps;
    TypeAndTab(Tv1().TotalCams(), "5");
    EXPECT_EQ(Shown(Tv1().TotalCams()), "12");
    EXPECT_EQ(Status(), "This value is not editable. Ready.");
    EXPECT_EQ(beeper.beeps, beeps + 1);
    w.SetStatus("");
    Click(Tv1().TotalCams());
    QTest::keyClick(Tv1().TotalCams(), Qt::Key_Tab);
    EXPECT_EQ(Status(), "");
    EXPECT_EQ(beeper.beeps, beeps + 1);
}

TEST_F(EntryTest, TheFirstClickAfterStartUpSelectsTheBoxsText) {
    Restart();
    // The click that activates the window focuses the box before the window is
    // active: the box gains the focus only as the window becomes active.
    Tv1().CamData(0)->setFocus(Qt::MouseFocusReason);
    Activate();
    QCoreApplication::processEvents();
    ASSERT_TRUE(Tv1().CamData(0)->hasFocus());
    EXPECT_EQ(Tv1().CamData(0)->selectedText(), Tv1().CamData(0)->text());
}

}  // namespace
}  // namespace vx::testing
