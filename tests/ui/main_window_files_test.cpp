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
const char* const kLoaded = "File loaded, data read. Ready.";

class FilesTest : public EditorTest {
  protected:
    // Dropped as the desktop does it; the load is queued.
    bool Drop(const std::vector<std::string>& urls) {
        QMimeData data;
        QList<QUrl> list;
        for (const std::string& url : urls) list << QUrl(QString::fromStdString(url));
        data.setUrls(list);
        QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
        QCoreApplication::processEvents();
        return enter.isAccepted();
    }
    void Quiet(bool Settings::*request) {
        Settings quiet = window->LiveSettings();
        quiet.*request = false;
        SaveSettings(quiet);
    }
};

TEST_F(FilesTest, FirstStartWritesTheConfigurationAndOnlyOkStoresTheOptionsThatEnableTest) {
    FrmMain& w = Start();
    EXPECT_EQ(boxes.shown.at(0).title, "Vistolarex: Error while initializing");
    EXPECT_EQ(Status(), "Welcome to Vistolarex by Quennith of Brevona. Ready to rumble ;-) !");
    EXPECT_FALSE(w.findChild<QPushButton*>("cmdTestCams")->isEnabled());
    EXPECT_EQ(dialog.initialFolder, folder);
    const std::string game = folder + "/game";
    fs::create_directories(game);
    const auto configBefore = ReadBytes(folder + "/Vistolarex.cfg");
    editOptions = [&](Settings& working) { working.GPLFolder = game; };
    w.cmdOptions_Click();
    EXPECT_EQ(w.WorkingSettings().GPLFolder, "GPL not installed");
    EXPECT_EQ(ReadBytes(folder + "/Vistolarex.cfg"), configBefore);
    optionsAnswer = true;
    w.cmdOptions_Click();
    EXPECT_EQ(ParseSettings(ReadBytes(folder + "/Vistolarex.cfg"))->GPLFolder, game);
    EXPECT_EQ(dialog.initialFolder, game + "/tracks");
    w.findChild<QPushButton*>("cmdTestCams")->click();
    EXPECT_EQ(remote.editorTests, 1);
    EXPECT_EQ(remote.testedWith.at(0).GPLFolder, game);
    w.cmdExit_Click();
    EXPECT_TRUE(w.Ended());
    EXPECT_EQ(remote.cancels, 1) << "a remote run waiting further up the stack ends first";
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(FilesTest, CommandLineFileIsLoadedAtStartUpAndALoadShowsItsProgressOrItsFailure) {
    FrmMain& w = Restart(WriteCam("two words.cam", DocumentWithTv1({10.0f, 20.0f, 30.0f})));
    EXPECT_EQ(KOfN(Tv1()), "1 of 3");
    EXPECT_TRUE(w.Document().DataSaved) << "showing a moving camera changes nothing";
    const std::string good = WriteCam("good.cam", DocumentWithTv1({10.0f}, true));
    QStringList lines;
    QObject::connect(w.findChild<QLineEdit*>("txtStatusLine"), &QLineEdit::textChanged,
                     [&](const QString& text) { lines << text; });
    Load(good);
    EXPECT_EQ(lines.size(), 7) << "each stage of the reading is shown";
    EXPECT_EQ(lines.last(), kLoaded);
    EXPECT_EQ(dialog.initialFolder, folder + "/");
    fs::create_directory(folder + "/folder.cam");
    Load(folder + "/folder.cam");
    EXPECT_EQ(boxes.shown.at(0).title, "Runtime-Error!");
    EXPECT_NE(boxes.shown.at(0).text.find(" - " + std::to_string(EISDIR)), std::string::npos);
    EXPECT_EQ(Status(), "Load aborted. Ready.");
    EXPECT_EQ(w.CAMFileName(), folder + "/folder.cam") << "kept even when the load fails";
    Save(folder + "/again.cam");
    EXPECT_EQ(ReadBytes(folder + "/again.cam"), ReadBytes(good));
}

TEST_F(FilesTest, LoadAndDropAskFirstWhenUnsavedDataWouldBeReplaced) {
    FrmMain& w = Restart();
    const std::string good = WriteCam("first track.cam", DocumentWithTv1({10.0f}, true));
    const std::string url =
        QUrl::fromLocalFile(QString::fromStdString(good)).toString().toStdString();
    Click(Tv1().AddBehind());
    boxes.answers = {BoxAnswer::Cancel, BoxAnswer::Cancel};
    Load(good);
    EXPECT_EQ(boxes.shown.at(0).text, "There is unsaved data in memory. Load anyway?");
    EXPECT_EQ(Status(), "Action canceled by user. Ready.");
    EXPECT_EQ(dialog.opens, 0);
    EXPECT_TRUE(Drop({url}));
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(w.Document().TV1.Count(), 2);
    dialog.picks.clear();
    EXPECT_TRUE(Drop({url, "file://" + folder + "/other.cam"})) << "the first file loads";
    EXPECT_EQ(Status(), kLoaded);
    EXPECT_EQ(w.CAMFileName(), good);
    EXPECT_EQ(dialog.opens, 0);
    EXPECT_FALSE(Drop({"https://example.org/second.cam"}));
    EXPECT_FALSE(Drop({"file://" + folder}));
    EXPECT_EQ(boxes.shown.size(), 3u) << "what is no local file asks nothing";
    EXPECT_EQ(w.CAMFileName(), good);
}

TEST_F(FilesTest, SaveAsksBeforeOverwritingAndAFailedSaveKeepsFileAndWork) {
    FrmMain& w = Restart();
    const std::string target = folder + "/target.cam";
    WriteBytes(target, std::vector<std::uint8_t>(500, 7));
    boxes.answers = {BoxAnswer::Cancel};
    Save(target);
    EXPECT_EQ(boxes.shown.at(0).text, "File exists. Overwrite?");
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
    Quiet(&Settings::SafetyOverwrite);
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

TEST_F(FilesTest, KeysExitAndTheFrameCloseTakeTheValueStillBeingTypedAndF1OpensTheManual) {
    FrmMain& w = Active(Restart());
    Click(Tv1().CamData(2));
    QTest::keyClicks(Tv1().CamData(2), "7.5");
    dialog.picks.push_back(folder + "/typed.cam");
    Keys(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Status(), "File written. Ready.");
    EXPECT_EQ(WordAt(ReadBytes(folder + "/typed.cam"), 16 + 8), FloatBits(7.5f));
    Click(Tv1().CamData(1));
    QTest::keyClicks(Tv1().CamData(1), "3");
    boxes.answers = {BoxAnswer::Cancel, BoxAnswer::Cancel, BoxAnswer::Cancel};
    Keys(Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(boxes.shown.size(), 1u) << "the typed value is unsaved data";
    // The manual beside the program, or else the installed one.
    EXPECT_EQ(w.ManualPath(), folder + "/../share/vistolarex/VistolarexHelp.html");
    WriteBytes(folder + "/VistolarexHelp.html", {'<'});
    Keys(Qt::Key_F1);
    EXPECT_EQ(opener.opened, std::vector<std::string>{folder + "/VistolarexHelp.html"});
    Click(w.findChild<QPushButton*>("cmdExit"));
    EXPECT_EQ(boxes.shown.at(1).text, "There is unsaved data in memory. Really exit?");
    EXPECT_EQ(beeper.beeps, 1) << "beep, then the question";
    EXPECT_FALSE(w.close());
    EXPECT_FALSE(w.Ended());
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(w.Ended());
    Quiet(&Settings::SafetyExit);
    FrmMain& other = Start();
    Click(other.Tv1Page().AddBehind());
    other.cmdExit_Click();
    EXPECT_TRUE(other.Ended());
    EXPECT_EQ(boxes.shown.size(), 4u);
}

TEST_F(FilesTest, ConfigurationWriteFailuresAreShownAndTheWindowStaysUsable) {
    FaultyFileLayer layer;
    layer.renameError = EROFS;
    optionsAnswer = true;
    FrmMain& w = Start(WriteCam("given.cam", DocumentWithTv1({10.0f})), layer);
    EXPECT_EQ(boxes.shown.at(1).title, "Debug-Mode");
    EXPECT_EQ(w.Fehlermeldung(), "An error occured during loading the configuration file. Code: 3");
    EXPECT_EQ(w.Document().TV1.Count(), 1) << "start-up ends before the command-line file";
    w.cmdOptions_Click();
    EXPECT_EQ(boxes.shown.at(2).title, "Vistolarex: Error");
}

}  // namespace
}  // namespace vx::testing
