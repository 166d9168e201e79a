// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// What each control of the options writes and enables, the answer, and the game folder chooser.
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
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "editing/field_value.h"
#include "support/scratch_folder.h"
#include "support/scripted_platform.h"
#include "ui/options/game_folder_dialog.h"
#include "ui/options/options_dialog.h"
#include "ui/options/options_window.h"

namespace vx {
namespace {

class OptionsDialogTest : public ::testing::Test {
  protected:
    OptionsWindow& Open(OptionsWindow::FolderChooser chooser = {}) {
        dialog = std::make_unique<OptionsWindow>(context, nullptr, std::move(chooser));
        return *dialog;
    }
    template <typename T = QPushButton>
    T* Find(const QString& name) {
        return dialog->findChild<T*>(name);
    }
    QLineEdit* Field(int k) { return Find<QLineEdit>(QStringLiteral("txtDefaultValue_%1").arg(k)); }
    void Type(int k, const QString& text) {
        QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason),
            out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(Field(k), &in);
        EXPECT_EQ(Field(k)->selectedText(), Field(k)->text()) << "the focus selects all";
        Field(k)->setText(text);
        QApplication::sendEvent(Field(k), &out);
    }

    Settings working{.GPLFolder = "/games/gpl"};
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
    const Settings before = working;
    EXPECT_EQ(Open().windowTitle(), "Vistolarex: Options");
    EXPECT_EQ(Find<QLabel>("lblGPLFolder")->text(), "/games/gpl");
    EXPECT_EQ(Field(9)->text(), "17");
    auto* bar = Find<QScrollBar>("hscShutdown");
    EXPECT_EQ(bar->value(), 0) << "slow is the left end";
    EXPECT_EQ(working, before);
    // Its label's Alt+S takes the keyboard there.
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    Find<QTabWidget>("sstOptions")->setCurrentIndex(2);
    QTest::keyClick(dialog.get(), Qt::Key_S, Qt::AltModifier);
    ASSERT_TRUE(bar->hasFocus());
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(working.ShutdownDelay, 2950);
    QTest::keyClick(bar, Qt::Key_PageDown);
    EXPECT_EQ(working.ShutdownDelay, 2450);
    QTest::keyClick(bar, Qt::Key_End);
    EXPECT_EQ(working.ShutdownDelay, 0);
    EXPECT_EQ(remote.driverRenewals, 1) << "each opening measures the screen again";
    Find("cmdHelp")->click();
    EXPECT_EQ(opener.opened, std::vector<std::string>{"/opt/vx/VistolarexHelp.html"});
}

TEST_F(OptionsDialogTest, MasterSafetyBoxLocksTheSingleRequestsAndEachSingleWritesItsOwn) {
    const std::pair<const char*, bool Settings::*> singles[] = {
        {"chkAssign", &Settings::SafetyAssign},  {"chkExit", &Settings::SafetyExit},
        {"chkRemove", &Settings::SafetyRemove},  {"chkConfigure", &Settings::SafetyConfigure},
        {"chkSafe", &Settings::SafetyOverwrite}, {"chkLoad", &Settings::SafetyLoad}};
    working.SafetyAll = false;  // an edited file may still hold single requests switched on
    Open();
    for (auto [name, request] : singles) {
        EXPECT_FALSE(Find<QCheckBox>(name)->isEnabled() || working.*request) << name;
    }
    Find<QCheckBox>("chkAll")->click();
    EXPECT_TRUE(working.SafetyAll);
    for (auto [name, request] : singles) {
        EXPECT_TRUE(Find<QCheckBox>(name)->isEnabled() && working.*request) << name;
        Find<QCheckBox>(name)->click();
        EXPECT_FALSE(working.*request) << name;
    }
    EXPECT_TRUE(working.SafetyAll) << "all six off leaves the master on";
}

TEST_F(OptionsDialogTest, NewCameraValuesAreWrittenAsTheirBitPatternsAndRefusalsBeep) {
    Open();
    EXPECT_FALSE(Field(0)->isEnabled());
    Find<QRadioButton>("optValue1_1")->click();
    EXPECT_EQ(working.NewCameraDefaults[0], FloatBits(200.0f));
    Type(0, "-1");
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(Field(0)->text(), "200");
    Type(11, "45");
    EXPECT_EQ(working.NewCameraDefaults[11], FloatBits(static_cast<float>(45.0 * kPi / 180.0)));
    Find<QCheckBox>("chkValue5")->click();
    EXPECT_EQ(working.NewCameraDefaults[4], 0u);
    Find<QCheckBox>("chkValue5")->click();
    EXPECT_EQ(working.NewCameraDefaults[4], 1u) << "the integer 1, not the single 1.0";
    working.NewCameraDefaults[0] = FloatBits(150.5f);
    EXPECT_TRUE(Open().findChild<QRadioButton*>("optValue1_1")->isChecked());
}

TEST_F(OptionsDialogTest, RecordingTestAndTheGameFolderEnableEachOther) {
    Open([&](QWidget*, Settings& chosen) { chosen.GPLFolder = kNoGameFolder; });
    auto* record = Find("cmdConfigure");
    auto* test = Find("cmdTest");
    auto* play = Find<QCheckBox>("chkPlayScript");
    remote.recordRuns = false;
    record->click();
    EXPECT_FALSE(test->isEnabled() || play->isEnabled());
    remote.recordRuns = true;
    auto* progress = Find<QLabel>("lblRecording");
    int runs = 0;
    remote.duringRun = [&] {
        EXPECT_FALSE(record->isEnabled() || test->isEnabled()) << "while the run lasts";
        EXPECT_EQ(progress->text(), ++runs == 1 ? testing::FakeGameRemote::kRecordingLine : "");
    };
    record->click();
    EXPECT_TRUE(test->isEnabled() && play->isEnabled());
    EXPECT_TRUE(record->isEnabled() && progress->text().isEmpty());
    play->click();
    EXPECT_TRUE(working.PlayScript);
    test->click();
    EXPECT_EQ(runs, 2);
    remote.duringRun = nullptr;
    ASSERT_EQ(remote.scriptTests, 1);
    EXPECT_EQ(remote.testedWith.back(), working);
    Find("cmdChange")->click();
    EXPECT_EQ(Find<QLabel>("lblGPLFolder")->text(), kNoGameFolder);
    EXPECT_FALSE(record->isEnabled() || Find<QScrollBar>("hscShutdown")->isEnabled());
    EXPECT_TRUE(test->isEnabled()) << "a recorded script can be tested without the game";
}

TEST_F(OptionsDialogTest, AnswerIsTrueOnlyForOKAndClosingDuringItsOwnRunEndsThatRun) {
    // OK; an edit, then the frame's close; Cancel.
    for (const std::string button : {"cmdOK", "chkInformation", "cmdCancel"}) {
        QTimer::singleShot(10, [button] {
            QWidget* modal = QApplication::activeModalWidget();
            modal->findChild<QAbstractButton*>(QString::fromStdString(button))->click();
            if (button == "chkInformation") modal->close();
        });
        EXPECT_EQ(RunOptionsDialog(nullptr, context), button == "cmdOK") << button;
    }
    EXPECT_FALSE(working.ShowInformation) << "the edits sit in the working record";
    EXPECT_EQ(remote.cancels, 0) << "a run of the editor's Test further down is not the dialog's";
    remote.duringRun = [this] { dialog->reject(); };
    for (const char* button : {"cmdConfigure", "cmdTest"}) {
        Open();
        Find("cmdTest")->setEnabled(true);
        Find(button)->click();
    }
    EXPECT_EQ(remote.cancels, 2);
}

TEST(GameFolderDialog, OnlyAFolderWithAReadableGameEnablesOKAndOnlyOKKeepsIt) {
    namespace fs = std::filesystem;
    testing::ScratchFolder scratch;
    const std::string game = scratch.Path("GPL"), latin1 = scratch.Path("caf\xE9");
    fs::create_directories(game + "/tracks");
    fs::create_directories(latin1);
    scratch.WriteFile("GPL/gpl.exe", "MZ");
    scratch.WriteFile("caf\xE9/gpl.exe", "MZ");
    Settings working{.GPLFolder = game};
    auto chooser = std::make_unique<GameFolderDialog>(working);
    auto* ok = chooser->findChild<QPushButton*>("cmdOK");
    EXPECT_FALSE(ok->isEnabled()) << "nothing is checked before a folder is opened";
    // Which game files are readable is the settings' rule; here: OK follows it.
    const std::pair<std::string, bool> rows[] = {
        {game, true}, {latin1, true}, {game + "/tracks", false}};
    for (const auto& [folder, valid] : rows) {
        ASSERT_TRUE(chooser->OpenFolder(folder)) << folder;
        EXPECT_EQ(ok->isEnabled(), valid) << folder;
    }
    ASSERT_TRUE(chooser->OpenFolder(latin1));
    ok->click();
    EXPECT_EQ(working.GPLFolder, latin1);
    chooser = std::make_unique<GameFolderDialog>(working);
    chooser->show();
    ASSERT_TRUE(chooser->OpenFolder(game + "/tracks"));
    chooser->close();
    EXPECT_EQ(working.GPLFolder, kNoGameFolder) << "not the unchecked folder last visited";
}

}  // namespace
}  // namespace vx
