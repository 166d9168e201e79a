// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The options dialog's own rules: what each control writes into the working record,
// what it enables and the answer the dialog gives; and its "Where is GPL?" chooser.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "editing/field_value.h"
#include "support/scratch_folder.h"
#include "support/scripted_platform.h"
#include "ui/gpl_path_dialog.h"
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

TEST_F(OptionsDialogTest, OpeningShowsTheRecordAndChangesNothingAndTheBarRunsSlowToFast) {
    working.NewCameraDefaults[9] = FloatBits(0.3f);  // shows rounded, must not be rewritten
    working.ShutdownDelay = 9000;                    // beyond the slow end of the bar
    working.SafetyExit = false;
    const Settings before = working;
    OptionsWindow& window = Open();
    EXPECT_EQ(window.windowTitle(), "Vistolarex: Options");
    EXPECT_EQ(Find<QLabel>("lblGPLFolder")->text(), "/games/gpl");
    EXPECT_EQ(Field(9)->text(), "17");
    EXPECT_FALSE(Find<QCheckBox>("chkExit")->isChecked());
    auto* bar = Find<QScrollBar>("hscShutdown");
    EXPECT_EQ(bar->value(), 0) << "slow is the left end";
    EXPECT_EQ(working, before);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // right arrow
    EXPECT_EQ(working.ShutdownDelay, 2950);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(working.ShutdownDelay, 0);
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

TEST_F(OptionsDialogTest, RecordingTestAndTheGameFolderEnableEachOther) {
    Open([&](QWidget*, Settings& chosen) { chosen.GPLFolder = kNoGameFolder; });
    auto* record = Find<QPushButton>("cmdConfigure");
    auto* test = Find<QPushButton>("cmdTest");
    auto* play = Find<QCheckBox>("chkPlayScript");
    remote.recordRuns = false;
    record->click();
    EXPECT_EQ(remote.recordings, 1);
    EXPECT_FALSE(test->isEnabled() || play->isEnabled());
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
    EXPECT_FALSE(record->isEnabled() || Find<QScrollBar>("hscShutdown")->isEnabled());
    EXPECT_TRUE(test->isEnabled()) << "a recorded script can be tested without the game";
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

namespace fs = std::filesystem;

class GplPathDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(game + "/tracks");
        scratch.WriteFile("GPL/gpl.exe", "MZ");
        fs::create_directories(latin1);
        scratch.WriteFile("caf\xE9/gpl.exe", "MZ");
    }
    GplPathWindow& Open() {
        chooser = std::make_unique<GplPathWindow>(working);
        return *chooser;
    }
    bool OkEnabled() { return chooser->findChild<QPushButton*>("cmdOK")->isEnabled(); }

    testing::ScratchFolder scratch;
    std::string game = scratch.Path("GPL"), latin1 = scratch.Path("caf\xE9");
    Settings working;
    std::unique_ptr<GplPathWindow> chooser;
};

TEST_F(GplPathDialogTest, OnlyAFolderWithAReadableGameEnablesOK) {
    working.GPLFolder = game;
    Open();
    EXPECT_EQ(chooser->OpenFolderPath().toStdString(), game);
    EXPECT_FALSE(OkEnabled()) << "nothing is checked before a folder is opened";
    fs::create_directories(scratch.Path("Dangling"));
    fs::create_directory_symlink(scratch.Path("gone"), scratch.Path("Dangling/gpl.exe"));
    fs::create_directories(scratch.Path("FolderExe/gpl.exe"));
    const std::pair<std::string, bool> rows[] = {
        {game, true},   {game + "/tracks/", false},
        {latin1, true}, {scratch.Path("Dangling"), false},
        {game, true},   {scratch.Path("FolderExe"), false}};
    for (const auto& [folder, valid] : rows) {
        ASSERT_TRUE(chooser->OpenFolder(folder)) << folder;
        EXPECT_EQ(OkEnabled(), valid) << folder;
    }
    EXPECT_EQ(working.GPLFolder, scratch.Path("FolderExe")) << "the last folder visited";
    EXPECT_FALSE(chooser->OpenFolder(game + "/gpl.exe")) << "a file is no folder";
    ASSERT_TRUE(chooser->OpenFolder("/"));
    EXPECT_EQ(working.GPLFolder, "/");
}

TEST_F(GplPathDialogTest, ActivatedFolderIsOpenedAsItsBytesAndOnlyOKKeepsIt) {
    working.GPLFolder = scratch.Root();
    Open();
    auto* list = chooser->findChild<QListWidget*>("dirFolder");
    auto items = list->findItems(QString::fromUtf8("caf\u00e9"), Qt::MatchContains);
    ASSERT_EQ(items.size(), 1) << "a name that is no UTF-8 is shown as Latin-1";
    emit list->itemActivated(items[0]);
    QTest::qWait(20);
    EXPECT_EQ(working.GPLFolder, latin1);
    chooser->findChild<QPushButton*>("cmdOK")->click();
    EXPECT_EQ(chooser->result(), QDialog::Accepted);
    EXPECT_EQ(working.GPLFolder, latin1);

    Open();
    chooser->show();
    ASSERT_TRUE(chooser->OpenFolder(game + "/tracks"));
    chooser->close();
    EXPECT_EQ(working.GPLFolder, kNoGameFolder) << "not the unchecked folder last visited";
}

}  // namespace
}  // namespace vx
