// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// Start-up, loading, saving, dropping files, the keys and the questions before
// anything is lost, as the editor window wires them.
#include <sys/stat.h>

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <filesystem>

#include "document/faulty_file_layer.h"
#include "editing/field_value.h"
#include "editor_fixture.h"

namespace vx::testing {
namespace {

namespace fs = std::filesystem;
const char* const kWelcome = "Welcome to Vistolarex by Quennith of Brevona. Ready to rumble ;-) !";
const char* const kLoaded = "File loaded, data read. Ready.";

class FilesTest : public EditorTest {
  protected:
    // Drops urls onto the window as the desktop does, then lets the queued load run.
    bool Drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
        QCoreApplication::processEvents();
        return enter.isAccepted();
    }
    static QUrl File(const std::string& path) {
        return QUrl::fromLocalFile(QString::fromStdString(path));
    }
};

TEST_F(FilesTest, FirstStartWritesTheConfigurationShowsTheFactoryCamerasAndEndsWithoutAsking) {
    FrmMain& w = Start();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Vistolarex: Error while initializing");
    EXPECT_FALSE(w.findChild<QPushButton*>("cmdTestCams")->isEnabled());
    EXPECT_EQ(dialog.initialFolder, folder);
    EXPECT_EQ(Status(), kWelcome);
    EXPECT_EQ(KOfN(Tv2()), "1 of 1");
    EXPECT_TRUE(Tv1().CamFixed()->isChecked());
    EXPECT_EQ(Shown(Pit().CamData(8)), "-0.125");
    w.cmdExit_Click();
    EXPECT_TRUE(w.Ended());
    EXPECT_EQ(remote.cancels, 1) << "a remote run waiting further up the stack ends first";
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(FilesTest, GameFolderEnablesTestAndTheCommandLineFileIsLoadedAtStartUp) {
    const std::string game = folder + "/GPL";
    fs::create_directories(game + "/tracks");
    WriteBytes(game + "/gpl.exe", {1});
    Settings settings;
    settings.GPLFolder = game;
    SaveSettings(settings);
    const std::string cam = WriteCam("two words.cam", DocumentWithTv1({10.0f, 20.0f, 30.0f}));
    FrmMain& w = Start(cam);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(dialog.initialFolder, game + "/tracks");
    EXPECT_EQ(KOfN(Tv1()), "1 of 3");
    EXPECT_TRUE(w.Document().DataSaved) << "showing a moving camera changes nothing";
    w.findChild<QPushButton*>("cmdTestCams")->click();
    ASSERT_EQ(remote.editorTests, 1);
    EXPECT_EQ(remote.testedWith[0].GPLFolder, game);
}

TEST_F(FilesTest, LoadShowsItsProgressAndAFailureKeepsTheDocument) {
    FrmMain& w = Restart();
    const std::string good = WriteCam("good.cam", DocumentWithTv1({10.0f}, true));
    QStringList lines;
    QObject::connect(w.findChild<QLineEdit*>("txtStatusLine"), &QLineEdit::textChanged,
                     [&](const QString& text) { lines << text; });
    Load(good);
    EXPECT_EQ(lines.size(), 7) << "each stage of the reading is shown";
    EXPECT_EQ(lines.last(), kLoaded);
    EXPECT_EQ(dialog.initialFolder, folder + "/");

    Load(folder + "/missing.cam");
    EXPECT_EQ(Status(), "File not found. Load aborted. Ready.");
    EXPECT_EQ(w.CAMFileName(), folder + "/missing.cam") << "kept even when the load fails";
    fs::create_directory(folder + "/folder.cam");
    Load(folder + "/folder.cam");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Runtime-Error!");
    EXPECT_NE(boxes.shown[0].text.find(" - " + std::to_string(EISDIR)), std::string::npos);
    EXPECT_EQ(Status(), "Load aborted. Ready.");
    Save(folder + "/again.cam");
    EXPECT_EQ(ReadBytes(folder + "/again.cam"), ReadBytes(good));
}

TEST_F(FilesTest, LoadAndDropAskFirstWhenUnsavedDataWouldBeReplaced) {
    FrmMain& w = Restart();
    const std::string good = WriteCam("first track.cam", DocumentWithTv1({10.0f}, true));
    Click(Tv1().AddBehind());
    boxes.answers = {BoxAnswer::Cancel, BoxAnswer::Cancel};
    Load(good);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "There is unsaved data in memory. Load anyway?");
    EXPECT_EQ(Status(), "Action canceled by user. Ready.");
    EXPECT_EQ(dialog.opens, 0);
    EXPECT_TRUE(Drop({File(good)}));
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(w.Document().TV1.Count(), 2);

    // OK goes ahead: the first dropped file loads like a pick in the dialog.
    dialog.picks.clear();
    EXPECT_TRUE(Drop({File(good), File(folder + "/other.cam")}));
    EXPECT_EQ(Status(), kLoaded);
    EXPECT_EQ(w.CAMFileName(), good);
    EXPECT_EQ(dialog.opens, 0);
    // What is no local file changes nothing and asks nothing.
    EXPECT_FALSE(Drop({QUrl("https://example.org/second.cam")}));
    EXPECT_FALSE(Drop({File(folder)}));
    EXPECT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(w.CAMFileName(), good);
}

TEST_F(FilesTest, SaveAsksBeforeOverwritingAndAFailedSaveKeepsFileAndWork) {
    FrmMain& w = Restart();
    const std::string target = folder + "/target.cam";
    WriteBytes(target, std::vector<std::uint8_t>(500, 7));
    boxes.answers = {BoxAnswer::Cancel};
    Save(target);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "File exists. Overwrite?");
    EXPECT_EQ(Status(), "Cancel pressed. Save aborted. Ready.");
    EXPECT_EQ(ReadBytes(target).size(), 500u);
    Save(target);
    EXPECT_EQ(Status(), "File written. Ready.");
    EXPECT_EQ(ReadBytes(target), SerializeCamDocument(w.Document()));

    ::chmod(target.c_str(), 0444);
    Click(Tv1().AddBehind());
    Save(target);
    EXPECT_EQ(boxes.shown.back().title, "Runtime-Error!");
    EXPECT_EQ(ReadBytes(target).size(), 184u);
    EXPECT_FALSE(w.Document().DataSaved);
    ::chmod(target.c_str(), 0644);

    // Without the safety request only a change by another program is asked about.
    Settings quiet = w.LiveSettings();
    quiet.SafetyOverwrite = false;
    SaveSettings(quiet);
    Start();
    Load(target);
    const std::size_t asked = boxes.shown.size();
    Save(target);
    EXPECT_EQ(boxes.shown.size(), asked);
    std::vector<std::uint8_t> theirs = ReadBytes(target);
    theirs[20] ^= 0x40;
    WriteBytes(target, theirs);
    boxes.answers = {BoxAnswer::Cancel};
    Save(target);
    ASSERT_EQ(boxes.shown.size(), asked + 1);
    EXPECT_EQ(boxes.shown.back().text,
              "The file was changed by another program since it was loaded. Overwrite it?");
    EXPECT_EQ(ReadBytes(target), theirs);
}

TEST_F(FilesTest, ExitAndTheFrameCloseAskOnlyForUnsavedDataIncludingATypedValue) {
    FrmMain& w = Restart();
    Activate();
    Click(Tv1().CamData(1));
    QTest::keyClicks(Tv1().CamData(1), "7");
    boxes.answers = {BoxAnswer::Cancel, BoxAnswer::Cancel};
    Click(w.findChild<QPushButton*>("cmdExit"));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "There is unsaved data in memory. Really exit?");
    EXPECT_EQ(beeper.beeps, 1) << "beep, then the question";
    EXPECT_FLOAT_EQ(w.Document().TV1.Camera(1).Float(1), 7.0f);
    EXPECT_FALSE(w.close());
    EXPECT_FALSE(w.Ended());
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(w.Ended());
    Settings quiet = w.LiveSettings();
    quiet.SafetyExit = false;
    SaveSettings(quiet);
    FrmMain& other = Start();
    Click(other.Tv1Page().AddBehind());
    other.cmdExit_Click();
    EXPECT_TRUE(other.Ended());
    EXPECT_EQ(boxes.shown.size(), 3u);
}

TEST_F(FilesTest, KeysSaveAndLoadWithTheValueStillBeingTypedAndF1OpensTheManual) {
    FrmMain& w = Restart();
    Activate();
    Click(Tv1().CamData(2));
    QTest::keyClicks(Tv1().CamData(2), "7.5");
    dialog.picks.push_back(folder + "/typed.cam");
    Keys(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Status(), "File written. Ready.");
    EXPECT_EQ(WordAt(ReadBytes(folder + "/typed.cam"), 16 + 8), FloatBits(7.5f));

    Click(Tv1().CamData(1));
    QTest::keyClicks(Tv1().CamData(1), "3");
    boxes.answers = {BoxAnswer::Cancel};
    Keys(Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(boxes.shown.size(), 1u) << "the typed value is unsaved data";
    // F1 opens the manual beside the program, or else the installed one.
    EXPECT_EQ(w.ManualPath(), folder + "/../share/vistolarex/VistolarexHelp.html");
    WriteBytes(folder + "/VistolarexHelp.html", {'<'});
    Keys(Qt::Key_F1);
    EXPECT_EQ(opener.opened, std::vector<std::string>{folder + "/VistolarexHelp.html"});
}

TEST_F(FilesTest, OptionsAreCommittedAndStoredOnOkAndThrownAwayOnCancel) {
    FrmMain& w = Start();
    const std::string game = folder + "/game";
    fs::create_directories(game);
    const auto configBefore = ReadBytes(folder + "/Vistolarex.cfg");
    editOptions = [&](Settings& working) { working.GPLFolder = game; };
    w.cmdOptions_Click();
    EXPECT_EQ(w.WorkingSettings().GPLFolder, "GPL not installed");
    EXPECT_EQ(ReadBytes(folder + "/Vistolarex.cfg"), configBefore);

    optionsAnswer = true;
    w.cmdOptions_Click();
    EXPECT_TRUE(w.AcceptOptions());
    EXPECT_TRUE(w.findChild<QPushButton*>("cmdTestCams")->isEnabled());
    EXPECT_EQ(dialog.initialFolder, game + "/tracks");
    EXPECT_EQ(ParseSettings(ReadBytes(folder + "/Vistolarex.cfg"))->GPLFolder, game);
}

TEST_F(FilesTest, ConfigurationWriteFailuresAreShownAndTheWindowStaysUsable) {
    FaultyFileLayer layer;
    layer.renameError = EROFS;
    auto w =
        std::make_unique<FrmMain>(folder, WriteCam("given.cam", DocumentWithTv1({10.0f})),
                                  EditorPlatform{boxes, beeper, dialog, opener, remote, layer,
                                                 [](QWidget*, OptionsContext&) { return true; }});
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].title, "Debug-Mode");
    EXPECT_EQ(w->Fehlermeldung(),
              "An error occured during loading the configuration file. Code: 3");
    EXPECT_EQ(w->Document().TV1.Count(), 1) << "start-up ends before the command-line file";

    w->cmdOptions_Click();
    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(boxes.shown[2].title, "Vistolarex: Error");
}

}  // namespace
}  // namespace vx::testing
