// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// Loading, saving and leaving the editor window.
#include <sys/stat.h>

#include <QCloseEvent>
#include <QLineEdit>
#include <filesystem>

#include "editor_fixture.h"

namespace vx::testing {
namespace {

namespace fs = std::filesystem;

class FilesTest : public EditorTest {
  protected:
    void Load(std::optional<std::string> path) {
        dialog.picks.push_back(path);
        window->cmdLoadCAMFile_Click();
    }
    void Save(const std::string& path) {
        dialog.picks.push_back(path);
        window->cmdSaveCAMFile_Click();
    }
};

TEST_F(FilesTest, FailedLoadsKeepTheDocumentAndSayWhy) {
    FrmMain& w = Restart();
    // Fixed cameras, like the start-up ones: showing them changes nothing.
    const CamDocument loaded = DocumentWithTv1({10.0f, 20.0f}, true);
    const std::string good = WriteCam("good.cam", loaded);
    auto* line = w.findChild<QLineEdit*>("txtStatusLine");
    QStringList lines;
    QObject::connect(line, &QLineEdit::textChanged, [&](const QString& text) { lines << text; });
    Load(good);
    ASSERT_EQ(Status(), "File loaded, data read. Ready.");
    EXPECT_EQ(lines,
              QStringList({"Reading CAMFile-Header...", "Reading number of TV1-cams...",
                           "Reading data of TV1-cam # 1...", "Reading data of TV1-cam # 2...",
                           "Reading number of TV2-cams...", "Reading data of TV2-cam # 1...",
                           "Reading data of Pitlane-cam...", "File loaded, data read. Ready."}));
    QObject::disconnect(line, nullptr, nullptr, nullptr);
    EXPECT_EQ(w.CAMFileName(), good);
    EXPECT_EQ(w.CAMPath(), folder + "/");
    EXPECT_EQ(dialog.initialFolder, folder + "/");
    EXPECT_EQ(dialog.fileName, "");

    dialog.initialFolder = "/kept";
    Load(std::nullopt);
    EXPECT_EQ(Status(), "Cancel pressed. Load aborted. Ready.");
    EXPECT_EQ(dialog.initialFolder, "/kept");
    EXPECT_EQ(w.CAMFileName(), good);

    std::vector<std::uint8_t> notCam = SerializeCamDocument(DocumentWithTv1({99.0f}));
    notCam[3] = 'X';
    WriteBytes(folder + "/not.cam", notCam);
    Load(folder + "/not.cam");
    EXPECT_EQ(Status(), "Not a track-camerafile. Load aborted. Ready.");
    EXPECT_EQ(w.CAMFileName(), folder + "/not.cam") << "kept even when the load fails";

    Load(folder + "/missing.cam");
    EXPECT_EQ(Status(), "File not found. Load aborted. Ready.");
    EXPECT_FALSE(fs::exists(folder + "/missing.cam"));

    Load("");
    EXPECT_EQ(Status(), "No file specified. Load aborted. Ready.");

    // Any other failure: the error box, and the program goes on with its document.
    fs::create_directory(folder + "/folder.cam");
    Load(folder + "/folder.cam");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Runtime-Error!");
    EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Exclamation);
    EXPECT_EQ(boxes.shown[0].buttons, BoxButtons::Ok);
    EXPECT_NE(boxes.shown[0].text.find(" - " + std::to_string(EISDIR)), std::string::npos)
        << boxes.shown[0].text;
    EXPECT_EQ(Status(), "Load aborted. Ready.");
    EXPECT_FALSE(w.Ended());

    EXPECT_EQ(Shown(Tv1().TotalCams()), "2");
    Save(folder + "/again.cam");
    EXPECT_EQ(ReadBytes(folder + "/again.cam"), ReadBytes(good));
}

TEST_F(FilesTest, LoadAsksFirstWhenUnsavedDataWouldBeReplaced) {
    FrmMain& w = Restart();
    const std::string good = WriteCam("good.cam", DocumentWithTv1({10.0f}, true));
    Click(Tv1().AddBehind());
    ASSERT_FALSE(w.Document().DataSaved);

    boxes.answers = {BoxAnswer::Cancel};
    Load(good);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Vistolarex: Safety request");
    EXPECT_EQ(boxes.shown[0].text, "There is unsaved data in memory. Load anyway?");
    EXPECT_EQ(boxes.shown[0].buttons, BoxButtons::OkCancel);
    EXPECT_EQ(Status(), "Action canceled by user. Ready.");
    EXPECT_EQ(dialog.opens, 0);
    EXPECT_EQ(w.Document().TV1.Count(), 2);

    // OK goes ahead; the loaded file is the saved state.
    dialog.picks.clear();
    Load(good);
    EXPECT_EQ(Status(), "File loaded, data read. Ready.");
    EXPECT_EQ(w.Document().TV1.Count(), 1);
    EXPECT_TRUE(w.Document().DataSaved);

    // With the document saved, nothing is asked.
    Save(folder + "/saved.cam");
    Load(good);
    EXPECT_EQ(boxes.shown.size(), 2u);
}

TEST_F(FilesTest, SaveAsksBeforeOverwritingAndNeverLosesTheOldFile) {
    FrmMain& w = Restart();
    const std::string target = folder + "/target.cam";
    WriteBytes(target, std::vector<std::uint8_t>(500, 7));

    boxes.answers = {BoxAnswer::Cancel};
    Save(target);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "File exists. Overwrite?");
    EXPECT_EQ(boxes.shown[0].title, "Vistolarex: Safety request");
    EXPECT_EQ(Status(), "Cancel pressed. Save aborted. Ready.");
    EXPECT_EQ(ReadBytes(target).size(), 500u);
    EXPECT_EQ(w.CAMFileName(), target);
    EXPECT_EQ(dialog.initialFolder, folder + "/");

    Click(Tv1().AddBehind());
    Save(target);
    EXPECT_EQ(Status(), "File written. Ready.");
    EXPECT_EQ(ReadBytes(target).size(), 72u + 56u * 3u) << "no old bytes remain";
    EXPECT_TRUE(w.Document().DataSaved);

    // A read-only file is not replaced: the error box, and the work is still there.
    ::chmod(target.c_str(), 0444);
    Click(Tv1().AddBehind());
    const auto before = ReadBytes(target);
    Save(target);
    EXPECT_EQ(boxes.shown.back().title, "Runtime-Error!");
    EXPECT_EQ(Status(), "Save aborted. Ready.");
    EXPECT_EQ(ReadBytes(target), before);
    EXPECT_FALSE(w.Document().DataSaved);
    EXPECT_FALSE(w.Ended());
    ::chmod(target.c_str(), 0644);

    // Without the safety request the file is replaced without a question.
    Settings quiet = w.LiveSettings();
    quiet.SafetyOverwrite = false;
    SaveSettings(quiet);
    FrmMain& other = Start();
    const std::size_t asked = boxes.shown.size();
    Save(target);
    EXPECT_EQ(boxes.shown.size(), asked);
    EXPECT_EQ(ReadBytes(target).size(), 184u);
    EXPECT_TRUE(other.Document().DataSaved);
}

TEST_F(FilesTest, SaveOverAFileChangedOnDiskSinceItWasLoadedAsksFirstWhateverTheSetting) {
    Settings quiet;
    quiet.SafetyOverwrite = false;
    SaveSettings(quiet);
    FrmMain& w = Start();
    const std::string track = WriteCam("track.cam", DocumentWithTv1({10.0f, 20.0f}));
    Load(track);
    Save(track);
    EXPECT_EQ(Status(), "File written. Ready.");
    const std::size_t asked = boxes.shown.size();

    // Another program rewrites the file in place, with the same length.
    std::vector<std::uint8_t> theirs = ReadBytes(track);
    theirs[20] ^= 0x40;
    WriteBytes(track, theirs);
    boxes.answers = {BoxAnswer::Cancel};
    Save(track);
    ASSERT_EQ(boxes.shown.size(), asked + 1);
    EXPECT_EQ(boxes.shown.back().title, "Vistolarex: Safety request");
    EXPECT_EQ(boxes.shown.back().text,
              "The file was changed by another program since it was loaded. Overwrite it?");
    EXPECT_EQ(boxes.shown.back().icon, BoxIcon::Exclamation);
    EXPECT_EQ(Status(), "Cancel pressed. Save aborted. Ready.");
    EXPECT_EQ(ReadBytes(track), theirs);

    boxes.answers = {BoxAnswer::Ok};
    Save(track);
    EXPECT_EQ(Status(), "File written. Ready.");
    EXPECT_EQ(ReadBytes(track), SerializeCamDocument(w.Document()));
    // Saved now, so the next save asks nothing again.
    Save(track);
    EXPECT_EQ(boxes.shown.size(), asked + 2);
}

TEST_F(FilesTest, ExitAsksOnlyForUnsavedDataAndTheFrameCloseDoesTheSame) {
    FrmMain& w = Restart();
    Activate();
    Click(Tv1().AddBehind());

    boxes.answers = {BoxAnswer::Cancel};
    w.SetStatus("kept");
    Click(w.findChild<QPushButton*>("cmdExit"));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "There is unsaved data in memory. Really exit?");
    EXPECT_EQ(boxes.shown[0].title, "Vistolarex: Safety request");
    EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Exclamation);
    EXPECT_EQ(beeper.beeps, 1) << "beep, then the question";
    EXPECT_FALSE(w.Ended());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Status(), "kept");

    boxes.answers = {BoxAnswer::Cancel};
    EXPECT_FALSE(w.close());
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_TRUE(w.isVisible());

    EXPECT_TRUE(w.close());
    EXPECT_EQ(boxes.shown.size(), 3u);
    EXPECT_TRUE(w.Ended());
    EXPECT_FALSE(w.isVisible());
}

TEST_F(FilesTest, FrameCloseCountsATypedValueThatWasNotCommittedYet) {
    FrmMain& w = Restart();
    Activate();
    Click(Tv1().CamData(1));
    QTest::keyClicks(Tv1().CamData(1), "7");
    boxes.answers = {BoxAnswer::Cancel};
    EXPECT_FALSE(w.close());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_FLOAT_EQ(w.Document().TV1.Camera(1).Float(1), 7.0f);

    // Without the safety request the program just ends.
    Settings quiet = w.LiveSettings();
    quiet.SafetyExit = false;
    SaveSettings(quiet);
    FrmMain& other = Start();
    Click(other.Tv1Page().AddBehind());
    other.cmdExit_Click();
    EXPECT_TRUE(other.Ended());
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(FilesTest, LoadEditSaveReloadGivesTheExpectedBytes) {
    FrmMain& w = Restart();
    Activate();
    CamDocument doc = DocumentWithTv1({100.0f, 300.0f});
    doc.Header[0] = 'X';  // only byte 3 marks a camera file
    doc.Header[8] = 99;   // a wrong size field is kept until the count changes
    doc.TV2.CountBytes[2] = 5;
    doc.TV1.Camera(2).SetRaw(12, 0xDEADBEEF);
    doc.Pitlane.SetFloat(0, 123.4567f);
    const std::string original = WriteCam("monza.cam", doc);
    Load(original);
    ASSERT_EQ(Status(), "File loaded, data read. Ready.");

    Save(folder + "/untouched.cam");
    EXPECT_EQ(ReadBytes(folder + "/untouched.cam"), ReadBytes(original));

    // Camera 2 shown; a new camera before it lands at 200; its height typed as 7.5.
    ClickUp(Tv1().SelectionSpinner());
    Click(Tv1().AddBefore());
    ASSERT_EQ(Shown(Tv1().CurrentCam()), "2");
    TypeAndTab(Tv1().CamData(2), "7.5");
    w.CamData()->setCurrentIndex(2);
    TypeAndTab(Pit().CamData(0), "-12.25");
    Save(folder + "/edited.cam");

    const auto bytes = ReadBytes(folder + "/edited.cam");
    ASSERT_EQ(bytes.size(), 72u + 56u * 4u);
    EXPECT_EQ(bytes[0], 'X');
    EXPECT_EQ(FieldAt(bytes, 8), 56u * 4u + 60u) << "recomputed by the insertion";
    EXPECT_EQ(bytes[12], 3);
    const std::size_t camera2 = 16 + 56;
    EXPECT_EQ(FieldAt(bytes, camera2), FloatBits(200.0f));
    EXPECT_EQ(FieldAt(bytes, camera2 + 8), FloatBits(7.5f));
    EXPECT_EQ(FieldAt(bytes, camera2 + 16), 1u) << "factory default: fixed, as integer";
    const std::size_t camera3 = 16 + 2 * 56;
    EXPECT_EQ(FieldAt(bytes, camera3), FloatBits(300.0f));
    EXPECT_EQ(FieldAt(bytes, camera3 + 48), 0xDEADBEEFu);
    const std::size_t tv2 = 16 + 3 * 56;
    EXPECT_EQ(bytes[tv2], 1);
    EXPECT_EQ(bytes[tv2 + 2], 5);
    EXPECT_EQ(FieldAt(bytes, tv2 + 4), FloatBits(42.0f));
    const std::size_t pit = tv2 + 4 + 56;
    EXPECT_EQ(FieldAt(bytes, pit), FloatBits(-12.25f));

    Load(folder + "/edited.cam");
    EXPECT_EQ(Shown(Tv1().TotalCams()), "3");
    EXPECT_EQ(Shown(Tv1().CamData(0)), "100");
    Save(folder + "/reloaded.cam");
    EXPECT_EQ(ReadBytes(folder + "/reloaded.cam"), bytes);
}

}  // namespace
}  // namespace vx::testing
