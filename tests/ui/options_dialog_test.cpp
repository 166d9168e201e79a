// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The options dialog's own rules: what each control writes into the working record,
// what it enables, and the answer the dialog gives.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <functional>
#include <memory>

#include "editing/field_value.h"
#include "support/scripted_platform.h"
#include "ui/options_dialog.h"
#include "ui/options_window.h"

namespace vx {
namespace {

// Each single safety box with the request it writes.
const std::pair<const char*, bool Settings::*> kSingles[] = {
    {"chkAssign", &Settings::SafetyAssign},  {"chkExit", &Settings::SafetyExit},
    {"chkRemove", &Settings::SafetyRemove},  {"chkConfigure", &Settings::SafetyConfigure},
    {"chkSafe", &Settings::SafetyOverwrite}, {"chkLoad", &Settings::SafetyLoad}};

class OptionsDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { working.GPLFolder = "/games/gpl"; }
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
    // The user types into field k and leaves it.
    void Type(int k, const QString& text, Qt::FocusReason leaving = Qt::TabFocusReason) {
        QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
        QApplication::sendEvent(Field(k), &in);
        EXPECT_EQ(Field(k)->selectedText(), Field(k)->text()) << "the focus selects all";
        Field(k)->setText(text);
        QFocusEvent out(QEvent::FocusOut, leaving);
        QApplication::sendEvent(Field(k), &out);
    }

    Settings working;
    testing::ScriptedMessageBoxes boxes;
    testing::CountingBeeper beeper;
    testing::RecordingOpener opener;
    testing::FakeGameRemote remote;
    OptionsContext context{working, boxes, beeper, opener, remote, "/opt/vx/VistolarexHelp.html"};
    std::unique_ptr<OptionsWindow> dialog;
};

TEST_F(OptionsDialogTest, OpeningShowsTheRecordAndChangesNothing) {
    working.NewCameraDefaults[9] = FloatBits(0.3f);  // shows rounded, must not be rewritten
    working.ShutdownDelay = 9000;                    // beyond the bar: shown at its end
    working.SafetyExit = false;
    const Settings before = working;
    OptionsWindow& window = Open();
    EXPECT_EQ(window.windowTitle(), "Vistolarex: Options");
    EXPECT_TRUE(window.isModal());
    EXPECT_EQ(Find<QTabWidget>("sstOptions")->tabText(2), "GPL remote");
    EXPECT_EQ(Find<QLabel>("lblGPLFolder")->text(), "/games/gpl");
    EXPECT_EQ(Field(9)->text(), "17");
    EXPECT_FALSE(Find<QCheckBox>("chkExit")->isChecked());
    EXPECT_EQ(Find<QScrollBar>("hscShutdown")->value(), 0);
    EXPECT_EQ(working, before);
    EXPECT_EQ(remote.driverRenewals, 1) << "each opening measures the screen again";
    Find<QPushButton>("cmdHelp")->click();
    EXPECT_EQ(opener.opened, std::vector<std::string>{"/opt/vx/VistolarexHelp.html"});
}

TEST_F(OptionsDialogTest, MasterSafetyBoxLocksTheSingleRequestsAndEachSingleWritesItsOwn) {
    working.SafetyAll = false;  // an edited file may still hold single requests switched on
    Open();
    for (auto [name, request] : kSingles) {
        EXPECT_FALSE(Find<QCheckBox>(name)->isEnabled()) << name;
        EXPECT_FALSE(working.*request) << name << " is cleared on opening";
    }
    Find<QCheckBox>("chkAll")->click();
    EXPECT_TRUE(working.SafetyAll);
    for (auto [name, request] : kSingles) {
        EXPECT_TRUE(Find<QCheckBox>(name)->isEnabled() && working.*request) << name;
    }
    for (auto [name, request] : kSingles) {
        Find<QCheckBox>(name)->click();
        EXPECT_FALSE(working.*request) << name;
    }
    EXPECT_TRUE(working.SafetyAll) << "all six off leaves the master on";
    Find<QCheckBox>("chkAll")->click();
    EXPECT_FALSE(working.SafetyAll);

    Find<QCheckBox>("chkInformation")->click();
    EXPECT_FALSE(working.ShowInformation);
    Find<QCheckBox>("chkFixedSwitchOver")->click();
    EXPECT_FALSE(working.FixedSwitchOver);
}

TEST_F(OptionsDialogTest, NewCameraValuesAreWrittenAsTheirBitPatternsAndRefusalsBeep) {
    Open();
    auto* distance = Find<QRadioButton>("optValue1_1");
    EXPECT_TRUE(Find<QRadioButton>("optValue1_0")->isChecked());
    EXPECT_FALSE(Field(0)->isEnabled());
    distance->click();
    EXPECT_TRUE(Field(0)->isEnabled());
    EXPECT_EQ(working.NewCameraDefaults[0], FloatBits(200.0f));
    Type(0, "-1");
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(Field(0)->text(), "200");
    Find<QRadioButton>("optValue1_0")->click();
    EXPECT_EQ(working.NewCameraDefaults[0], FloatBits(-1.0f));

    Type(11, "45");
    EXPECT_EQ(working.NewCameraDefaults[11], FloatBits(static_cast<float>(45.0 * kPi / 180.0)));
    Type(5, "0");
    EXPECT_EQ(beeper.beeps, 2);
    EXPECT_EQ(Field(5)->text(), "0.1");
    EXPECT_TRUE(boxes.shown.empty()) << "refusals show no message";
    // Switching to another application is no leaving of the field.
    Type(3, "junk", Qt::ActiveWindowFocusReason);
    EXPECT_EQ(beeper.beeps, 2);

    auto* fixed = Find<QCheckBox>("chkValue5");
    fixed->click();
    EXPECT_EQ(working.NewCameraDefaults[4], 0u);
    fixed->click();
    EXPECT_EQ(working.NewCameraDefaults[4], 1u) << "the integer 1, not the single 1.0";

    working.NewCameraDefaults[0] = FloatBits(150.5f);
    Open();
    EXPECT_TRUE(Find<QRadioButton>("optValue1_1")->isChecked());
    EXPECT_EQ(Field(0)->text(), "150.5");
}

TEST_F(OptionsDialogTest, CommaLocaleFieldsUseTheComma) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Open();
    Type(6, "0,25");
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(working.NewCameraDefaults[6], FloatBits(0.25f));
    EXPECT_EQ(beeper.beeps, 0);
}

TEST_F(OptionsDialogTest, ShutdownBarRunsFromSlowLeftToFastRight) {
    working.ShutdownDelay = 1500;
    Open();
    auto* bar = Find<QScrollBar>("hscShutdown");
    EXPECT_FALSE(bar->invertedAppearance());
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // right arrow
    EXPECT_EQ(working.ShutdownDelay, 1450);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);  // track left of the thumb
    EXPECT_EQ(working.ShutdownDelay, 1950);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(working.ShutdownDelay, 3000);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(working.ShutdownDelay, 0);
}

TEST_F(OptionsDialogTest, RecordingTestAndTheGameFolderEnableEachOther) {
    std::string next = kNoGameFolder;
    Open([&](QWidget*, Settings& chosen) { chosen.GPLFolder = next; });
    auto* record = Find<QPushButton>("cmdConfigure");
    auto* test = Find<QPushButton>("cmdTest");
    auto* play = Find<QCheckBox>("chkPlayScript");
    EXPECT_FALSE(test->isEnabled());
    EXPECT_FALSE(play->isEnabled());
    remote.recordRuns = false;
    record->click();
    EXPECT_EQ(remote.recordings, 1);
    EXPECT_FALSE(test->isEnabled());
    remote.recordRuns = true;
    remote.recordedClicks = 0;  // enabled whatever the number of clicks
    record->click();
    EXPECT_TRUE(test->isEnabled() && play->isEnabled());
    play->click();
    EXPECT_TRUE(working.PlayScript);
    test->click();
    ASSERT_EQ(remote.scriptTests, 1);
    EXPECT_EQ(remote.testedWith.back(), working);

    Find<QPushButton>("cmdChange")->click();
    EXPECT_EQ(Find<QLabel>("lblGPLFolder")->text(), kNoGameFolder);
    EXPECT_FALSE(record->isEnabled());
    EXPECT_FALSE(Find<QScrollBar>("hscShutdown")->isEnabled());
    EXPECT_TRUE(test->isEnabled()) << "a recorded script can be tested without the game";
    next = "/mnt/games/GPL";
    Find<QPushButton>("cmdChange")->click();
    EXPECT_EQ(Find<QLabel>("lblGPLFolder")->text(), "/mnt/games/GPL");
    EXPECT_TRUE(record->isEnabled());
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
    }
}

// Acts on the modal window once it is on top.
void WhenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(10, [act] {
        if (QWidget* modal = QApplication::activeModalWidget()) act(modal);
    });
}

TEST_F(OptionsDialogTest, AnswerIsTrueOnlyForOK) {
    const auto press = [](const char* button) {
        return [button](QWidget* window) { window->findChild<QPushButton*>(button)->click(); };
    };
    WhenModal(press("cmdOK"));
    EXPECT_TRUE(RunOptionsDialog(nullptr, context));
    WhenModal([](QWidget* window) { window->close(); });
    EXPECT_FALSE(RunOptionsDialog(nullptr, context)) << "closing by the frame is Cancel";
    WhenModal([&](QWidget* window) {
        window->findChild<QCheckBox*>("chkInformation")->click();
        press("cmdCancel")(window);
    });
    EXPECT_FALSE(RunOptionsDialog(nullptr, context));
    EXPECT_FALSE(working.ShowInformation) << "the edits sit in the working record";
    EXPECT_EQ(remote.cancels, 0) << "a run of the editor's Test further down is not the dialog's";
}

}  // namespace
}  // namespace vx
