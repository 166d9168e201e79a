// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "editing/field_value.h"
#include "editing/locale_number.h"
#include "support/scripted_platform.h"
#include "ui/gpl_path_dialog.h"
#include "ui/options_dialog.h"
#include "ui/options_window.h"

namespace vx {
namespace {

using testing::CountingBeeper;
using testing::FakeGameRemote;
using testing::RecordingOpener;
using testing::ScriptedMessageBoxes;

const char* const kSingles[] = {"chkAssign",    "chkExit", "chkRemove",
                                "chkConfigure", "chkSafe", "chkLoad"};

class OptionsDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        working.GPLFolder = "/games/gpl";
    }
    void TearDown() override {
        dialog.reset();
        QLocale::setDefault(QLocale::c());
    }

    OptionsWindow& Open(OptionsWindow::FolderChooser chooser = {}) {
        dialog = std::make_unique<OptionsWindow>(context, nullptr, std::move(chooser));
        return *dialog;
    }

    template <typename T>
    T* Find(const char* name) {
        T* widget = dialog->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* Field(int k) {
        return Find<QLineEdit>(QStringLiteral("txtDefaultValue_%1").arg(k).toUtf8().constData());
    }

    // The user types into field k and tabs on.
    void Type(int k, const QString& text) {
        QLineEdit* field = Field(k);
        ASSERT_NE(field, nullptr);
        QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
        QApplication::sendEvent(field, &in);
        field->setText(text);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(field, &out);
    }

    bool Safety(const char* name) const {
        const std::string box(name);
        if (box == "chkAssign") return working.SafetyAssign;
        if (box == "chkExit") return working.SafetyExit;
        if (box == "chkRemove") return working.SafetyRemove;
        if (box == "chkConfigure") return working.SafetyConfigure;
        if (box == "chkSafe") return working.SafetyOverwrite;
        return working.SafetyLoad;
    }

    Settings working;
    ScriptedMessageBoxes boxes;
    CountingBeeper beeper;
    RecordingOpener opener;
    FakeGameRemote remote;
    OptionsContext context{working, boxes, beeper, opener, remote, "/opt/vx/VistolarexHelp.html"};
    std::unique_ptr<OptionsWindow> dialog;
};

TEST_F(OptionsDialogTest, WindowHasItsSizeTitleAndTabs) {
    OptionsWindow& window = Open();
    EXPECT_EQ(window.windowTitle(), "Vistolarex: Options");
    EXPECT_TRUE(window.isModal());
    EXPECT_EQ(window.size(),
              QSize(9855 * window.logicalDpiX() / 1440, 6135 * window.logicalDpiY() / 1440));
    auto* tabs = Find<QTabWidget>("sstOptions");
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "General");
    EXPECT_EQ(tabs->tabText(1), "Editing");
    EXPECT_EQ(tabs->tabText(2), "GPL remote");
    EXPECT_EQ(Find<QLabel>("lblGPLFolder")->text(), "/games/gpl");
    EXPECT_EQ(remote.driverRenewals, 1) << "each opening measures the screen again";
}

TEST_F(OptionsDialogTest, OpeningWithSafetyOffClearsAndLocksTheSingleRequests) {
    working.SafetyAll = false;  // an edited file may still hold single requests switched on
    Open();
    EXPECT_FALSE(Find<QCheckBox>("chkAll")->isChecked());
    for (const char* name : kSingles) {
        auto* box = Find<QCheckBox>(name);
        EXPECT_FALSE(box->isChecked()) << name;
        EXPECT_FALSE(box->isEnabled()) << name;
        EXPECT_FALSE(Safety(name)) << name;
    }
    EXPECT_FALSE(working.SafetyAll);
}

TEST_F(OptionsDialogTest, OpeningWithSafetyOnShowsEachRequestFromItsOwnValue) {
    working.SafetyExit = false;
    working.SafetyLoad = false;
    Open();
    EXPECT_TRUE(Find<QCheckBox>("chkAll")->isChecked());
    for (const char* name : kSingles) {
        auto* box = Find<QCheckBox>(name);
        EXPECT_TRUE(box->isEnabled()) << name;
        EXPECT_EQ(box->isChecked(), Safety(name)) << name;
    }
    EXPECT_FALSE(working.SafetyExit);
    EXPECT_FALSE(working.SafetyLoad);
    EXPECT_TRUE(working.SafetyAssign);
}

TEST_F(OptionsDialogTest, MasterBoxOffAndOnSwitchesAllSixOn) {
    working.SafetyRemove = false;
    working.SafetyOverwrite = false;
    Open();
    auto* all = Find<QCheckBox>("chkAll");
    all->click();
    EXPECT_FALSE(working.SafetyAll);
    for (const char* name : kSingles) {
        EXPECT_FALSE(Safety(name)) << name;
        EXPECT_FALSE(Find<QCheckBox>(name)->isEnabled()) << name;
    }
    all->click();
    EXPECT_TRUE(working.SafetyAll);
    for (const char* name : kSingles) {
        auto* box = Find<QCheckBox>(name);
        EXPECT_TRUE(Safety(name)) << name;
        EXPECT_TRUE(box->isChecked()) << name;
        EXPECT_TRUE(box->isEnabled()) << name;
    }
}

TEST_F(OptionsDialogTest, EachSingleBoxWritesOnlyItsOwnRequestAndNeverTheMaster) {
    for (const char* name : kSingles) {
        working = Settings{};
        Open();
        Find<QCheckBox>(name)->click();
        for (const char* other : kSingles) {
            EXPECT_EQ(Safety(other), std::string(other) != name) << name << " then " << other;
        }
        EXPECT_TRUE(working.SafetyAll) << name;
    }

    working = Settings{};
    Open();
    for (const char* name : kSingles) Find<QCheckBox>(name)->click();
    EXPECT_TRUE(Find<QCheckBox>("chkAll")->isChecked());
    EXPECT_TRUE(working.SafetyAll) << "all six off leaves the master on";
    Open();
    EXPECT_TRUE(Find<QCheckBox>("chkAll")->isChecked());
    for (const char* name : kSingles) EXPECT_FALSE(Find<QCheckBox>(name)->isChecked()) << name;
}

TEST_F(OptionsDialogTest, OtherCheckBoxesWriteTheirBooleans) {
    working.ClickCount = 1;
    Open();
    Find<QCheckBox>("chkInformation")->click();
    EXPECT_FALSE(working.ShowInformation);
    Find<QCheckBox>("chkFixedSwitchOver")->click();
    EXPECT_FALSE(working.FixedSwitchOver);
    Find<QCheckBox>("chkPlayScript")->click();
    EXPECT_TRUE(working.PlayScript);
    Find<QCheckBox>("chkInformation")->click();
    EXPECT_TRUE(working.ShowInformation);
}

TEST_F(OptionsDialogTest, PlacementOptionsRoundTripByBitPattern) {
    Open();
    auto* middle = Find<QRadioButton>("optValue1_0");
    auto* distance = Find<QRadioButton>("optValue1_1");
    QLineEdit* field = Field(0);
    EXPECT_TRUE(middle->isChecked());
    EXPECT_FALSE(field->isEnabled());
    EXPECT_EQ(field->text(), "200");
    EXPECT_EQ(working.NewCameraDefaults[0], FloatBits(-1.0f));

    distance->click();
    EXPECT_TRUE(field->isEnabled());
    EXPECT_EQ(field->text(), "200");
    EXPECT_EQ(working.NewCameraDefaults[0], FloatBits(200.0f));

    Type(0, "1000");
    EXPECT_EQ(working.NewCameraDefaults[0], FloatBits(1000.0f));
    Type(0, "-1");
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(field->text(), "1000");
    EXPECT_EQ(working.NewCameraDefaults[0], FloatBits(1000.0f));

    middle->click();
    EXPECT_FALSE(field->isEnabled());
    EXPECT_EQ(working.NewCameraDefaults[0], FloatBits(-1.0f));
}

TEST_F(OptionsDialogTest, StoredDistanceOpensWithTheDistanceOption) {
    working.NewCameraDefaults[0] = FloatBits(150.5f);
    Open();
    EXPECT_TRUE(Find<QRadioButton>("optValue1_1")->isChecked());
    EXPECT_TRUE(Field(0)->isEnabled());
    EXPECT_EQ(Field(0)->text(), "150.5");
    EXPECT_EQ(working.NewCameraDefaults[0], FloatBits(150.5f));
}

TEST_F(OptionsDialogTest, AngleFieldShowsDegreesAndRefusesOutOfRangeWithABeep) {
    Open();
    EXPECT_EQ(Field(11)->text(), "90");
    Type(11, "181");
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(Field(11)->text(), "90");
    EXPECT_EQ(working.NewCameraDefaults[11], 0x3FC90FDBu);

    Type(11, "45");
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(working.NewCameraDefaults[11], FloatBits(static_cast<float>(45.0 * kPi / 180.0)));
    EXPECT_NEAR(BitsFloat(working.NewCameraDefaults[11]), 0.785398, 1e-6);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(OptionsDialogTest, ZoomFieldTakesTenAndRefusesMoreOrZeroSilently) {
    Open();
    EXPECT_EQ(Field(5)->text(), "0.1");
    Type(5, "10");
    EXPECT_EQ(working.NewCameraDefaults[5], FloatBits(10.0f));
    Type(5, "10.0001");
    EXPECT_EQ(Field(5)->text(), "10");
    Type(5, "0");
    EXPECT_EQ(Field(5)->text(), "10");
    Type(5, "ten");
    EXPECT_EQ(Field(5)->text(), "10");
    EXPECT_EQ(beeper.beeps, 3);
    EXPECT_EQ(working.NewCameraDefaults[5], FloatBits(10.0f));
    EXPECT_TRUE(boxes.shown.empty()) << "refusals show no message";
}

TEST_F(OptionsDialogTest, FocusSelectsTheWholeText) {
    Open();
    QLineEdit* field = Field(3);
    field->deselect();
    QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(field, &in);
    EXPECT_EQ(field->selectedText(), field->text());
    EXPECT_EQ(field->text(), "0");
    // Switching to another application is no leaving of the field.
    field->setText("junk");
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(field, &away);
    EXPECT_EQ(beeper.beeps, 0);
    EXPECT_EQ(field->text(), "junk");
}

TEST_F(OptionsDialogTest, CommaLocaleFieldsUseTheComma) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    working.NewCameraDefaults[1] = FloatBits(1.5f);
    Open();
    EXPECT_EQ(Field(1)->text(), "1,5");
    EXPECT_EQ(Field(6)->text(), "0,1");
    Type(6, "0,25");
    EXPECT_EQ(working.NewCameraDefaults[6], FloatBits(0.25f));
    EXPECT_EQ(beeper.beeps, 0);
    // A point is the group mark there; taking it would store 25.
    Type(1, "2.5");
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(Field(1)->text(), "1,5");
    EXPECT_EQ(working.NewCameraDefaults[1], FloatBits(1.5f));
}

TEST_F(OptionsDialogTest, FixedBoxWritesTheIntegerFlag) {
    working.NewCameraDefaults[4] = FloatBits(1.0f);  // any non-zero pattern counts as fixed
    Open();
    auto* fixed = Find<QCheckBox>("chkValue5");
    EXPECT_TRUE(fixed->isChecked());
    fixed->click();
    EXPECT_EQ(working.NewCameraDefaults[4], 0u);
    fixed->click();
    EXPECT_EQ(working.NewCameraDefaults[4], 1u) << "the integer 1, not the single 1.0";
    EXPECT_EQ(dialog->findChild<QLineEdit*>("txtDefaultValue_4"), nullptr);
}

TEST_F(OptionsDialogTest, ShutdownBarRunsFromSlowLeftToFastRight) {
    working.ShutdownDelay = 1500;
    Open();
    auto* bar = Find<QScrollBar>("hscShutdown");
    EXPECT_EQ(bar->orientation(), Qt::Horizontal);
    EXPECT_FALSE(bar->invertedAppearance());
    EXPECT_EQ(bar->value(), 1500);
    EXPECT_EQ(working.ShutdownDelay, 1500);

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // right arrow
    EXPECT_EQ(working.ShutdownDelay, 1450);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);  // track left of the thumb
    EXPECT_EQ(working.ShutdownDelay, 1950);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(working.ShutdownDelay, 3000);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(working.ShutdownDelay, 0);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);  // left arrow from the right end
    EXPECT_EQ(working.ShutdownDelay, 50);
}

TEST_F(OptionsDialogTest, DelayOutsideTheBarIsShownAtItsEndButKept) {
    working.ShutdownDelay = 9000;
    Open();
    auto* bar = Find<QScrollBar>("hscShutdown");
    EXPECT_EQ(bar->value(), bar->minimum());
    EXPECT_EQ(working.ShutdownDelay, 9000);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(working.ShutdownDelay, 2950);
}

TEST_F(OptionsDialogTest, OpeningAndLeavingTouchesNothing) {
    working.NewCameraDefaults[0] = FloatBits(12.25f);
    working.NewCameraDefaults[9] = FloatBits(0.3f);  // shows rounded, must not be rewritten
    working.ClickCount = 2;
    working.ClickX[1] = 40;
    working.ShutdownDelay = 275;
    working.PlayScript = true;
    const Settings before = working;
    Open();
    EXPECT_TRUE(Find<QCheckBox>("chkPlayScript")->isChecked());
    EXPECT_EQ(Field(9)->text(), "17");
    EXPECT_EQ(working, before);
}

TEST_F(OptionsDialogTest, RecordingEnablesTestAndPlayScript) {
    Open();
    auto* record = Find<QPushButton>("cmdConfigure");
    auto* test = Find<QPushButton>("cmdTest");
    auto* play = Find<QCheckBox>("chkPlayScript");
    EXPECT_TRUE(record->isEnabled());
    EXPECT_FALSE(test->isEnabled());
    EXPECT_FALSE(play->isEnabled());

    remote.recordRuns = false;
    record->click();
    EXPECT_EQ(remote.recordings, 1);
    EXPECT_FALSE(test->isEnabled());

    remote.recordRuns = true;
    remote.recordedClicks = 0;  // enabled whatever the number of clicks
    record->click();
    EXPECT_TRUE(test->isEnabled());
    EXPECT_TRUE(play->isEnabled());

    test->click();
    ASSERT_EQ(remote.scriptTests, 1);
    EXPECT_EQ(remote.testedWith.back(), working);
}

TEST_F(OptionsDialogTest, ScriptWithoutGameCanBeTestedButNotRecorded) {
    working.GPLFolder = kNoGameFolder;
    working.ClickCount = 4;
    Open();
    EXPECT_TRUE(Find<QPushButton>("cmdTest")->isEnabled());
    EXPECT_TRUE(Find<QCheckBox>("chkPlayScript")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>("cmdConfigure")->isEnabled());
    EXPECT_FALSE(Find<QScrollBar>("hscShutdown")->isEnabled());
}

TEST_F(OptionsDialogTest, ChangeShowsTheChosenFolderAndEnablesRecording) {
    std::string next = "/mnt/games/GPL";
    int runs = 0;
    Open([&](QWidget*, Settings& chosen) {
        ++runs;
        chosen.GPLFolder = next;
    });
    auto* change = Find<QPushButton>("cmdChange");
    change->click();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(Find<QLabel>("lblGPLFolder")->text(), "/mnt/games/GPL");
    EXPECT_TRUE(Find<QPushButton>("cmdConfigure")->isEnabled());
    EXPECT_TRUE(Find<QScrollBar>("hscShutdown")->isEnabled());

    next = kNoGameFolder;
    change->click();
    EXPECT_EQ(Find<QLabel>("lblGPLFolder")->text(), kNoGameFolder);
    EXPECT_FALSE(Find<QPushButton>("cmdConfigure")->isEnabled());
    EXPECT_FALSE(Find<QScrollBar>("hscShutdown")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>("cmdTest")->isEnabled()) << "the test button is not touched";
}

// However the dialog closes while its recording or test run waits, that run ends.
TEST_F(OptionsDialogTest, ClosingDuringItsOwnRunEndsThatRun) {
    for (const char* button : {"cmdConfigure", "cmdTest"}) {
        Open();
        remote.cancels = 0;
        remote.duringRun = [this] { dialog->reject(); };
        Find<QPushButton>("cmdTest")->setEnabled(true);
        Find<QPushButton>(button)->click();
        EXPECT_EQ(remote.cancels, 1) << button;
        EXPECT_FALSE(dialog->isVisible());
    }
}

TEST_F(OptionsDialogTest, HelpOpensTheManual) {
    Open();
    Find<QPushButton>("cmdHelp")->click();
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(opener.opened[0], "/opt/vx/VistolarexHelp.html");
}

// Acts on whatever modal window is on top, once it is there.
void WhenModal(const char* name, std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, name, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != name) return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start(10);
}

void Press(QWidget* window, const char* button) {
    auto* target = window->findChild<QPushButton*>(button);
    ASSERT_NE(target, nullptr) << button;
    target->click();
}

TEST_F(OptionsDialogTest, AnswerIsTrueOnlyForOK) {
    WhenModal("frmOptions2", [](QWidget* window) { Press(window, "cmdOK"); });
    EXPECT_TRUE(RunOptionsDialog(nullptr, context));

    WhenModal("frmOptions2", [](QWidget* window) { window->close(); });
    EXPECT_FALSE(RunOptionsDialog(nullptr, context)) << "closing by the frame is Cancel";

    WhenModal("frmOptions2", [](QWidget* window) { Press(window, "cmdCancel"); });
    EXPECT_FALSE(RunOptionsDialog(nullptr, context));
    EXPECT_EQ(remote.driverRenewals, 3) << "the dialog is built afresh at each opening";
    // A run of the editor's Test that may be waiting further down is not the dialog's.
    EXPECT_EQ(remote.cancels, 0);
}

TEST_F(OptionsDialogTest, CancelAfterChangingFolderAndOptionsAnswersFalse) {
    QTemporaryDir game;
    ASSERT_TRUE(game.isValid());
    QFile exe(game.filePath("gpl.exe"));
    ASSERT_TRUE(exe.open(QIODevice::WriteOnly));
    exe.close();
    Settings live = working;

    WhenModal("frmOptions2", [&](QWidget* window) {
        window->findChild<QCheckBox*>("chkInformation")->click();
        WhenModal("frmGPLPath", [&](QWidget* chooser) {
            static_cast<GplPathWindow*>(chooser)->OpenFolder(game.path());
            Press(chooser, "cmdOK");
            WhenModal("frmOptions2", [](QWidget* options) { Press(options, "cmdCancel"); });
        });
        Press(window, "cmdChange");
    });
    EXPECT_FALSE(RunOptionsDialog(nullptr, context));
    // The edits sit in the working record for the caller to throw away.
    EXPECT_EQ(working.GPLFolder, game.path().toStdString());
    EXPECT_FALSE(working.ShowInformation);
    Settings expected = live;
    expected.GPLFolder = working.GPLFolder;
    expected.ShowInformation = false;
    EXPECT_EQ(working, expected) << "nothing else was touched";
}

}  // namespace
}  // namespace vx
