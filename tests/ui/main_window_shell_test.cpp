// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The editor window's start-up, layout and shell buttons.
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <filesystem>

#include "../platform/qt/modal_answerer.h"
#include "document/faulty_file_layer.h"
#include "editor_fixture.h"
#include "settings/settings.h"

namespace vx::testing {
namespace {

namespace fs = std::filesystem;

int Px(int twips) {
    return static_cast<int>(
        std::lround(twips * QGuiApplication::primaryScreen()->logicalDotsPerInch() / 1440.0));
}

QRect TwipRect(int l, int t, int w, int h) { return {Px(l), Px(t), Px(w), Px(h)}; }

template <class W>
W* Child(QWidget& parent, const char* name) {
    auto* child = parent.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

using ShellTest = EditorTest;

TEST_F(ShellTest, FirstStartWritesTheDefaultConfigurationAndShowsTheFactoryCameras) {
    FrmMain& w = Start();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Vistolarex: Error while initializing");
    EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Exclamation);
    EXPECT_EQ(fs::file_size(folder + "/Vistolarex.cfg"), 3210u);
    EXPECT_FALSE(Child<QPushButton>(w, "cmdTestCams")->isEnabled());
    EXPECT_EQ(dialog.initialFolder, folder);
    EXPECT_EQ(dialog.fileName, "");
    EXPECT_EQ(w.CAMPath(), folder);
    EXPECT_EQ(w.CAMFileName(), "");
    EXPECT_TRUE(w.Document().DataSaved);
    EXPECT_FALSE(w.AcceptOptions());
    EXPECT_EQ(Status(), "Welcome to Vistolarex by Quennith of Brevona. Ready to rumble ;-) !");
    for (SetId set : {SetId::TV1, SetId::TV2}) {
        TvPage& page = w.Page(set);
        EXPECT_EQ(Shown(page.CurrentCam()), "1");
        EXPECT_EQ(Shown(page.TotalCams()), "1");
        EXPECT_EQ(Shown(page.CamData(0)), "0");
        EXPECT_EQ(Shown(page.CamData(2)), "2");
        EXPECT_EQ(Shown(page.CamData(5)), "0.1");
        EXPECT_EQ(Shown(page.CamData(11)), "90");
        // The factory camera is fixed: the zoom rows are off, the angle rows on.
        EXPECT_TRUE(page.CamFixed()->isChecked());
        EXPECT_FALSE(page.CamData(5)->isEnabled());
        EXPECT_FALSE(page.AssignToAll(7)->isEnabled());
        EXPECT_TRUE(page.CamData(8)->isEnabled());
        EXPECT_FALSE(page.CamData(12)->isEnabled());
    }
    EXPECT_EQ(Shown(Pit().CamData(8)), "-0.125");
    EXPECT_EQ(w.CamData()->currentIndex(), 0);

    // Nothing unsaved after start-up: Exit ends without a question.
    w.cmdExit_Click();
    EXPECT_TRUE(w.Ended());
    EXPECT_EQ(remote.cancels, 1) << "a remote run waiting further up the stack ends first";
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(beeper.beeps, 0);
}

TEST_F(ShellTest, ConfiguredGameFolderEnablesTestAndPointsTheDialogAtItsTracks) {
    const std::string game = folder + "/GPL";
    fs::create_directories(game + "/tracks");
    WriteBytes(game + "/gpl.exe", {1});
    Settings settings;
    settings.GPLFolder = game;
    settings.SafetyExit = false;
    SaveSettings(settings);

    FrmMain& w = Start();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(w.LiveSettings().GPLFolder == game);
    EXPECT_TRUE(Child<QPushButton>(w, "cmdTestCams")->isEnabled());
    EXPECT_EQ(dialog.initialFolder, game + "/tracks");
    Click(Child<QPushButton>(w, "cmdTestCams"));
    ASSERT_EQ(remote.editorTests, 1);
    EXPECT_EQ(remote.testedWith[0].GPLFolder, game);

    // The game has gone: every option falls back to the factory values.
    fs::remove(game + "/gpl.exe");
    window.reset();
    FrmMain& again = Start();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(again.LiveSettings(), Settings());
    EXPECT_FALSE(Child<QPushButton>(again, "cmdTestCams")->isEnabled());
    EXPECT_EQ(dialog.initialFolder, folder);
}

TEST_F(ShellTest, CommandLineTextIsLoadedAtTheEndOfStartUp) {
    const std::string cam = WriteCam("two words.cam", DocumentWithTv1({10.0f, 20.0f, 30.0f}));
    FrmMain& w = Restart(cam);
    EXPECT_EQ(Status(), "File loaded, data read. Ready.");
    EXPECT_EQ(Shown(Tv1().TotalCams()), "3");
    EXPECT_EQ(Shown(Tv1().CamData(0)), "10");
    EXPECT_EQ(w.CAMFileName(), "");
    // Camera 1 of the file is moving, the start-up camera fixed: showing it changes
    // the box, not the document.
    EXPECT_TRUE(w.Document().DataSaved);
    EXPECT_FALSE(Tv1().CamFixed()->isChecked());

    FrmMain& missing = Restart(folder + "/gone.cam");
    EXPECT_EQ(Status(), "File not found. Load aborted. Ready.");
    EXPECT_EQ(Shown(missing.Tv1Page().TotalCams()), "1");
    EXPECT_FALSE(fs::exists(folder + "/gone.cam"));
}

TEST_F(ShellTest, ControlsSitAtTheirDesignedPlacesWithTheirTexts) {
    // The twips hold at the design font; larger fonts draw the window larger.
    const QFont desktop = QApplication::font();
    QFont design = desktop;
    design.setPointSize(8);
    QApplication::setFont(design);
    FrmMain& w = Start();
    QApplication::setFont(desktop);
    Activate();
    EXPECT_EQ(w.objectName(), "frmMain");
    EXPECT_EQ(w.windowTitle(), "Vistolarex V1.53");
    // The overview strip below the rows adds 1050 twips to the design height.
    EXPECT_EQ(w.size(), QSize(Px(11055), Px(7215 + 1050)));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());

    struct ButtonRow {
        const char* name;
        const char* caption;
        const char* tooltip;
        int top;
    };
    const ButtonRow buttons[] = {
        {"cmdLoadCAMFile", "Load", "Loads an existing CAM-file (Ctrl+O)", 120},
        {"cmdSaveCAMFile", "Save", "Saves current shown data into a CAM-file (Ctrl+S)", 600},
        {"cmdTestCams", "Test", "Launches GPL [and plays recorded script]", 1080},
        {"cmdOptions", "Options", "Opens the options dialogue", 1560},
        {"cmdHelp", "Help", "Opens the online manual", 2040},
        {"cmdExit", "Exit", "Terminates Vistolarex", 2520},
        {"cmdUndo", "Undo", "Nothing to undo", 3000},
        {"cmdRedo", "Redo", "Nothing to redo", 3480},
    };
    QWidget* previous = nullptr;
    for (const ButtonRow& expected : buttons) {
        auto* b = Child<QPushButton>(w, expected.name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text(), expected.caption);
        EXPECT_EQ(b->toolTip(), expected.tooltip);
        EXPECT_EQ(b->geometry(), TwipRect(9240, expected.top, 1695, 375)) << expected.name;
        if (previous != nullptr) {
            EXPECT_EQ(previous->nextInFocusChain(), b) << expected.name;
        }
        previous = b;
    }
    EXPECT_TRUE(Child<QPushButton>(w, "cmdLoadCAMFile")->hasFocus());

    auto* tabs = Child<QTabWidget>(w, "sstCamData");
    EXPECT_EQ(tabs->geometry(), TwipRect(120, 120, 9015, 6255 + 1050));
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "TV1-Cameras");
    EXPECT_EQ(tabs->tabText(1), "TV2-Cameras");
    EXPECT_EQ(tabs->tabText(2), "Pitlane-Camera");
    auto* status = Child<QGroupBox>(w, "frStatus");
    EXPECT_EQ(status->title(), "Status report");
    EXPECT_EQ(status->geometry(), TwipRect(120, 6480 + 1050, 10815, 615));
    auto* line = Child<QLineEdit>(w, "txtStatusLine");
    EXPECT_EQ(line->toolTip(), "Shows errors and status messages");
    EXPECT_EQ(QRect(line->mapTo(&w, QPoint(0, 0)), line->size()),
              TwipRect(240, 6720 + 1050, 10575, 285));

    // The page's frame sits at 120, 360 on the strip, or just below the tabs when
    // they are taller; rows inside it 360 apart.
    auto* frame = Child<QGroupBox>(w, "frTV1");
    const int pageTop = Tv1().mapTo(tabs, QPoint(0, 0)).y();
    EXPECT_EQ(frame->mapTo(tabs, QPoint(0, 0)), QPoint(Px(120), std::max(Px(360), pageTop)));
    EXPECT_EQ(frame->size(), QSize(Px(8775), Px(5775 + 1050)));
    // The overview strip lies below the last row (5280 + 285), inside the frame.
    EXPECT_EQ(Child<QWidget>(w, "ovTV2")->geometry(), TwipRect(120, 5640, 8535, 1050));
    EXPECT_EQ(Child<QWidget>(w, "txtTV1CamData_3")->geometry(),
              TwipRect(4800, 600 + 360 * 3, 2055, 285));
    EXPECT_EQ(Child<QWidget>(w, "UpDownValueTV1_13")->geometry(),
              TwipRect(6960, 600 + 360 * 13, 240, 285));
    EXPECT_EQ(Child<QWidget>(w, "cmdAssignToAllTV2_11")->geometry(),
              TwipRect(7320, 600 + 360 * 11, 1335, 285));
    EXPECT_EQ(Child<QLabel>(w, "lblTV2Description_0")->text(), "Distance from s/f-line [m] -->");
    EXPECT_EQ(Child<QLabel>(w, "lblTV1Description_8")->geometry(),
              TwipRect(120, 645 + 360 * 8, 4575, 255));
    EXPECT_EQ(Child<QWidget>(w, "chkTV2CamFixed")->geometry(), TwipRect(4800, 2055, 255, 255));
    EXPECT_FALSE(Child<QWidget>(w, "txtTV1CamData_4")->isVisibleTo(&w));
    EXPECT_EQ(Child<QWidget>(w, "cmdRemoveTV2")->toolTip(), "Removes currently shown camera");
    EXPECT_EQ(Child<QWidget>(w, "cmdRemoveTV1")->toolTip(), "Removes the currently shown camera");
    EXPECT_EQ(Child<QWidget>(w, "txtTotalTV2Cams")->toolTip(),
              "Shows the total number of cameras in the TV2-set");
    EXPECT_EQ(Child<QWidget>(w, "UpDownValueTV1_5")->toolTip(),
              "Changes the value in steps of 1/1000 per click");
    EXPECT_EQ(Child<QWidget>(w, "UpDownValueTV2_5")->toolTip(),
              "Changes the value in steps of 0.001 per click");
    EXPECT_NE(w.findChild<QLabel*>("lblOf"), nullptr);
    EXPECT_NE(w.findChild<QLabel*>("lblOf2"), nullptr);
    EXPECT_EQ(w.findChild<QWidget*>("cmdAssignToAllTV1_12"), nullptr);
    EXPECT_EQ(Child<QWidget>(w, "txtPitlaneCamData_12")->geometry(),
              TwipRect(4800, 600 + 360 * 12, 2055, 285));
    EXPECT_EQ(Child<QLabel>(w, "lblPitDescription_8")->text(), "Leave this value at -0.125! -->");

    // Tab order on a page: the camera number, fields 0 to 3, the check box, 5 to 11.
    QWidget* expected[] = {Tv1().CurrentCam(), Tv1().CamData(0), Tv1().CamData(1), Tv1().CamData(2),
                           Tv1().CamData(3),   Tv1().CamFixed(), Tv1().CamData(5)};
    for (std::size_t i = 0; i + 1 < std::size(expected); ++i) {
        QWidget* next = expected[i]->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus) next = next->nextInFocusChain();
        EXPECT_EQ(next, expected[i + 1]) << i;
    }
    EXPECT_EQ(Tv1().CamData(12)->focusPolicy(), Qt::NoFocus);
}

TEST_F(ShellTest, WindowKeepsItsSizeWhenMaximisedAndCanBeMinimised) {
    FrmMain& w = Start();
    Activate();
    const QSize design = w.size();
    w.showMaximized();
    QTRY_VERIFY(!w.isMaximized());
    EXPECT_EQ(w.size(), design);
    w.showMinimized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.isMinimized());
}

TEST_F(ShellTest, HelpHandsTheManualBesideTheProgramToTheDesktop) {
    FrmMain& w = Start();
    WriteBytes(folder + "/VistolarexHelp.html", {'<'});
    Click(Child<QPushButton>(w, "cmdHelp"));
    EXPECT_EQ(opener.opened, std::vector<std::string>{folder + "/VistolarexHelp.html"});
    EXPECT_EQ(Status(), "Welcome to Vistolarex by Quennith of Brevona. Ready to rumble ;-) !");
}

TEST_F(ShellTest, OptionsAreCommittedOnOkAndThrownAwayOnCancel) {
    FrmMain& w = Start();
    const std::string game = folder + "/game";
    fs::create_directories(game);
    const auto configBefore = ReadBytes(folder + "/Vistolarex.cfg");

    editOptions = [&](Settings& working) {
        EXPECT_EQ(working.GPLFolder, "GPL not installed");
        working.GPLFolder = game;
        working.SafetyExit = false;
    };
    optionsAnswer = false;
    w.cmdOptions_Click();
    EXPECT_FALSE(w.AcceptOptions());
    EXPECT_EQ(w.LiveSettings().GPLFolder, "GPL not installed");
    EXPECT_EQ(w.WorkingSettings().GPLFolder, "GPL not installed");
    EXPECT_EQ(ReadBytes(folder + "/Vistolarex.cfg"), configBefore);
    EXPECT_FALSE(Child<QPushButton>(w, "cmdTestCams")->isEnabled());

    optionsAnswer = true;
    w.cmdOptions_Click();
    EXPECT_TRUE(w.AcceptOptions());
    EXPECT_EQ(w.LiveSettings().GPLFolder, game);
    EXPECT_FALSE(w.LiveSettings().SafetyExit);
    EXPECT_EQ(w.LiveSettings().Signature, kSignature);
    EXPECT_TRUE(Child<QPushButton>(w, "cmdTestCams")->isEnabled());
    EXPECT_EQ(w.CAMPath(), game + "/tracks");
    EXPECT_EQ(dialog.initialFolder, game + "/tracks");
    auto stored = ParseSettings(ReadBytes(folder + "/Vistolarex.cfg"));
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->GPLFolder, game);
    EXPECT_EQ(optionsShown, 2);
    EXPECT_EQ(Status(), "Welcome to Vistolarex by Quennith of Brevona. Ready to rumble ;-) !");
}

TEST_F(ShellTest, RealOptionsDialogCommitsOnOkAndRevertsOnCancel) {
    auto w = std::make_unique<FrmMain>(folder, "",
                                       EditorPlatform{boxes, beeper, dialog, opener, remote});
    ModalAnswerer<QDialog> user;
    user.AnswerNext([](QDialog& options) {
        EXPECT_EQ(options.objectName(), "frmOptions2");
        options.findChild<QCheckBox*>("chkExit")->click();
        options.findChild<QPushButton*>("cmdOK")->click();
    });
    w->cmdOptions_Click();
    ASSERT_TRUE(user.Answered());
    EXPECT_TRUE(w->AcceptOptions());
    EXPECT_FALSE(w->LiveSettings().SafetyExit);
    EXPECT_FALSE(ParseSettings(ReadBytes(folder + "/Vistolarex.cfg"))->SafetyExit);

    user.AnswerNext([](QDialog& options) {
        options.findChild<QCheckBox*>("chkAssign")->click();
        options.findChild<QPushButton*>("cmdCancel")->click();
    });
    w->cmdOptions_Click();
    ASSERT_TRUE(user.Answered());
    EXPECT_FALSE(w->AcceptOptions());
    EXPECT_TRUE(w->LiveSettings().SafetyAssign);
    EXPECT_TRUE(w->WorkingSettings().SafetyAssign);
}

TEST_F(ShellTest, FailedConfigurationWriteAfterOkKeepsTheOptionsAndSaysSo) {
    // Saving fails at the rename into place, as on a full or read-only disk.
    FaultyFileLayer layer;
    auto w = std::make_unique<FrmMain>(folder, "",
                                       EditorPlatform{boxes, beeper, dialog, opener, remote, layer,
                                                      [](QWidget*, OptionsContext& context) {
                                                          context.working.SafetyAssign = false;
                                                          return true;
                                                      }});
    const auto configBefore = ReadBytes(folder + "/Vistolarex.cfg");
    boxes.shown.clear();
    layer.renameError = EROFS;
    w->cmdOptions_Click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Vistolarex: Error");
    EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Critical);
    EXPECT_NE(boxes.shown[0].text.find("Vistolarex.cfg"), std::string::npos);
    EXPECT_FALSE(w->LiveSettings().SafetyAssign);
    EXPECT_EQ(ReadBytes(folder + "/Vistolarex.cfg"), configBefore);
}

TEST_F(ShellTest, UnwritableDefaultConfigurationEndsStartUpEarlyButLeavesTheWindowUsable) {
    // Saving fails at the rename into place, as on a full or read-only disk.
    FaultyFileLayer layer;
    layer.renameError = EROFS;
    const std::string cam = WriteCam("given.cam", DocumentWithTv1({10.0f, 20.0f}));
    auto w = std::make_unique<FrmMain>(
        folder, cam, EditorPlatform{boxes, beeper, dialog, opener, remote, layer});
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].title, "Debug-Mode");
    EXPECT_EQ(boxes.shown[1].text,
              "An error occured during loading the configuration file. Code: 3");
    EXPECT_EQ(w->Fehlermeldung(), boxes.shown[1].text);
    EXPECT_FALSE(fs::exists(folder + "/Vistolarex.cfg"));
    EXPECT_FALSE(w->findChild<QPushButton*>("cmdTestCams")->isEnabled());
    EXPECT_EQ(w->Document().TV1.Count(), 1) << "the command-line file is not loaded";
    EXPECT_EQ(w->Document().TV1.Camera(1).Raw(2), 0u) << "no new-camera values";
    EXPECT_TRUE(w->Document().DataSaved);
    TvPage& page = w->Tv1Page();
    for (int field = 0; field <= 11; ++field) {
        if (field == TvField::Mode) continue;
        EXPECT_EQ(Shown(page.CamData(field)), "0") << field;
        EXPECT_TRUE(page.CamData(field)->isEnabled()) << field;
    }
    EXPECT_FALSE(page.CamData(12)->isEnabled());
    EXPECT_FALSE(page.CamFixed()->isChecked());
    EXPECT_EQ(w->LiveSettings(), Settings());

    page.CamData(0)->setText("35");
    page.txtCamData_LostFocus(0);
    EXPECT_FLOAT_EQ(w->Document().TV1.Camera(1).Float(0), 35.0f);
    EXPECT_EQ(beeper.beeps, 0);
}

}  // namespace
}  // namespace vx::testing
