// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The editor's side of the edit, save and test loop: the title, the Test
// question and the bar that reports another program's change.
#include <QLabel>
#include <filesystem>

#include "editor_fixture.h"
#include "ui/editor/changed_on_disk_bar.h"

namespace vx::testing {
namespace {

using LoopTest = EditorTest;

// Another program saves the file the way most do: a new file renamed over it.
void ReplaceOnDisk(const std::string& path, const CamDocument& doc) {
    WriteBytes(path + ".new", SerializeCamDocument(doc));
    std::filesystem::rename(path + ".new", path);
}

TEST_F(LoopTest, TestAsksOnlyWithUnsavedChangesAndEachAnswerDoesWhatItSays) {
    EditorWindow& w = Restart();
    Click(Tv1().AddBehind());
    dialog.picks = {std::nullopt};
    w.OnTestCamsClicked();  // Save and Test without a file: the dialog, cancelled
    ASSERT_EQ(boxes.questions.size(), 1u);
    EXPECT_EQ(boxes.questions[0].title, "Vistolarex: Safety request");
    EXPECT_EQ(boxes.questions[0].text,
              "The game reads the cameras from the file on disk, which does not hold your "
              "latest changes.");
    EXPECT_EQ(boxes.questions[0].buttons,
              (std::vector<std::string>{"Save and Test", "Test without saving", "Cancel"}));
    EXPECT_EQ(boxes.questions[0].defaultButton, 0);
    EXPECT_EQ(remote.editorTests, 0) << "no game without the save";

    const std::string file = WriteCam("track.cam", DocumentWithTv1({0, 100}));
    Load(file);
    w.OnTestCamsClicked();
    EXPECT_EQ(boxes.questions.size(), 1u) << "nothing unsaved, nothing asked";
    EXPECT_EQ(remote.editorTests, 1);

    Click(Tv1().AddBehind());
    boxes.choices = {2, 1};
    w.OnTestCamsClicked();
    EXPECT_EQ(Status(), "Action canceled by user. Ready.");
    EXPECT_EQ(remote.editorTests, 1);
    w.OnTestCamsClicked();
    EXPECT_EQ(remote.editorTests, 2) << "Test without saving";
    EXPECT_EQ(ReadBytes(file), SerializeCamDocument(DocumentWithTv1({0, 100})));

    // Save and Test asks about another program's change, Cancel first, but not
    // whether to overwrite the file being edited.
    ReplaceOnDisk(file, DocumentWithTv1({0, 200}));
    boxes.answers = {BoxAnswer::Cancel};
    w.OnTestCamsClicked();
    EXPECT_EQ(boxes.shown.back().text,
              "The file was changed by another program since it was "
              "loaded. Overwrite it?");
    EXPECT_EQ(boxes.shown.back().preselected, BoxAnswer::Cancel);
    EXPECT_EQ(remote.editorTests, 2);
    const std::size_t shown = boxes.shown.size();
    boxes.answers = {BoxAnswer::Ok};
    w.OnTestCamsClicked();
    EXPECT_EQ(remote.editorTests, 3);
    EXPECT_EQ(boxes.shown.size(), shown + 1);
    EXPECT_EQ(ReadBytes(file), SerializeCamDocument(w.Document()));
    EXPECT_FALSE(w.Session().Unsaved());
    EXPECT_EQ(dialog.savesOpenedOn.size(), 1u) << "no dialog for the current file";
}

TEST_F(LoopTest, TitleSaveDialogAndChangedOnDiskBarFollowTheCurrentFile) {
    EditorWindow& w = Active(Restart());
    const std::string file = WriteCam("track.cam", DocumentWithTv1({0, 100}));
    Load(file);
    EXPECT_EQ(w.windowTitle().toStdString(), "track.cam[*] \u2013 Vistolarex V1.53");
    EXPECT_EQ(w.windowFilePath().toStdString(), file);
    EXPECT_FALSE(w.isWindowModified());
    Click(Tv1().AddBehind());
    EXPECT_TRUE(w.isWindowModified());
    Save(file);
    EXPECT_EQ(dialog.savesOpenedOn.back(), folder + "|track.cam");
    EXPECT_FALSE(w.isWindowModified());

    ChangedOnDiskBar& bar = w.ChangedBar();
    QTest::qWait(200);
    EXPECT_FALSE(bar.isVisible()) << "its own save is no change by another program";
    ReplaceOnDisk(file, DocumentWithTv1({0, 300}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar.isVisible(); }, 5000));
    EXPECT_EQ(bar.findChild<QLabel*>("lblChangedOnDisk")->text(), "track.cam was changed on disk.");
    Click(bar.KeepMineButton());
    EXPECT_EQ(Set(SetId::TV1).Count(), 3) << "nothing reloads by itself";

    // The watch survived the rename: the next change shows the bar again.
    ReplaceOnDisk(file, DocumentWithTv1({0, 400}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar.isVisible(); }, 5000));
    Click(bar.ReloadButton());
    EXPECT_FALSE(bar.isVisible());
    EXPECT_EQ(Status(), "File loaded, data read. Ready.");
    EXPECT_TRUE(w.Document().SameContent(DocumentWithTv1({0, 400})));
}

}  // namespace
}  // namespace vx::testing
