// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// What the session keeps beside the document: its file in the title, the recent
// files and the recovery file.
#include <gtest/gtest.h>

#include <filesystem>

#include "document/cam_writer.h"
#include "session/document_session.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

using testing::ScratchFolder;

constexpr const char* kTitle = "Vistolarex V1.53";

void Edit(DocumentSession& session, std::uint32_t value) {
    session.Apply({"edit", {}}, [value](CamDocument& doc) { doc.Pitlane.SetRaw(0, value); });
}

// The recovery files of living instances in the state folder.
int RecoveryFiles(const ScratchFolder& scratch) {
    std::error_code ignored;
    int count = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(scratch.Path("state/recovery"), ignored)) {
        count += entry.path().extension() == ".recovery";
    }
    return count;
}

TEST(DocumentSession, TitleAndRecentFilesFollowSuccessfulLoadsAndSavesOnly) {
    ScratchFolder scratch;
    DocumentSession session;
    session.KeepStateIn(StateFolder(scratch.Path("state")));
    EXPECT_EQ(session.WindowTitle(kTitle), "Vistolarex V1.53[*]");
    EXPECT_FALSE(session.AskBeforeTest() || session.CurrentFileChanged());

    ASSERT_EQ(session.Save(scratch.Path("a.cam")).outcome, SaveOutcome::Success);
    ASSERT_EQ(session.Save(scratch.Path("b.cam")).outcome, SaveOutcome::Success);
    ASSERT_EQ(session.Load(scratch.Path("a.cam")).outcome, LoadOutcome::Success);
    EXPECT_NE(session.Load(scratch.Path("missing.cam")).outcome, LoadOutcome::Success);
    EXPECT_EQ(session.WindowTitle(kTitle), "a.cam[*] \u2013 Vistolarex V1.53");
    EXPECT_EQ(session.RecentFiles(),
              (std::vector<std::string>{scratch.Path("a.cam"), scratch.Path("b.cam")}));

    Edit(session, 7);
    EXPECT_TRUE(session.AskBeforeTest());
    EXPECT_FALSE(session.CurrentFileChanged());
    // Replaced by rename, as another editor or a sync tool saves.
    testing::WriteBytes(scratch.Path("new"), testing::ReadBytes(scratch.Path("b.cam")));
    std::filesystem::rename(scratch.Path("new"), scratch.Path("a.cam"));
    EXPECT_TRUE(session.CurrentFileChanged());
}

TEST(DocumentSession, RecoveryFileHoldsExactlyTheUnsavedChangesAndGoesWithThem) {
    ScratchFolder scratch;
    DocumentSession session;
    session.KeepStateIn(StateFolder(scratch.Path("state")));
    const std::string file = scratch.Path("demo.cam");
    ASSERT_EQ(session.Save(file).outcome, SaveOutcome::Success);

    Edit(session, 7);
    EXPECT_TRUE(session.RecoveryPending());
    EXPECT_EQ(RecoveryFiles(scratch), 0) << "written by the timer, not by the edit";
    session.WriteRecovery();
    EXPECT_FALSE(session.RecoveryPending());
    ASSERT_EQ(RecoveryFiles(scratch), 1);

    session.Undo();
    EXPECT_EQ(RecoveryFiles(scratch), 0) << "undone back to the saved state";
    EXPECT_FALSE(session.RecoveryPending());
    session.Redo();
    session.WriteRecovery();
    ASSERT_EQ(session.Save(file).outcome, SaveOutcome::Success);
    EXPECT_EQ(RecoveryFiles(scratch), 0) << "saved";
    Edit(session, 8);
    session.WriteRecovery();
    session.EndOrderly();
    EXPECT_EQ(RecoveryFiles(scratch), 0) << "an orderly end";
}

TEST(DocumentSession, RestoredChangesAreUnsavedChangesOfTheirFileWithANewHistory) {
    ScratchFolder scratch;
    const std::string file = scratch.Path("demo.cam");
    DocumentSession session;
    ASSERT_EQ(session.Save(file).outcome, SaveOutcome::Success);
    const CamDocument startup = session.Document();
    Edit(session, 9);
    const RecoveredDocument recovered{file, session.Document()};

    DocumentSession restarted;
    EXPECT_TRUE(restarted.RecoveryBaseline(recovered)->SameContent(startup));
    restarted.Restore(recovered);
    EXPECT_TRUE(restarted.Document().SameContent(recovered.doc));
    EXPECT_TRUE(restarted.Unsaved());
    EXPECT_FALSE(restarted.History().CanUndo());
    EXPECT_EQ(restarted.CurrentFile(), file);
    Settings quiet;
    quiet.SafetyOverwrite = false;
    EXPECT_EQ(restarted.AskBeforeSave(file, quiet), SaveQuestion::None);
    ASSERT_EQ(restarted.Save(restarted.CurrentFile()).outcome, SaveOutcome::Success);
    EXPECT_EQ(testing::ReadBytes(file), SerializeCamDocument(recovered.doc));

    // Without its file the changes still count as unsaved; without a file at all
    // they are measured against the start-up document.
    std::filesystem::remove(file);
    DocumentSession orphaned;
    EXPECT_FALSE(orphaned.RecoveryBaseline(recovered));
    orphaned.Restore(recovered);
    EXPECT_TRUE(orphaned.Unsaved());
    DocumentSession fileless;
    fileless.Restore({"", fileless.Document()});
    EXPECT_FALSE(fileless.Unsaved());
    EXPECT_EQ(fileless.WindowTitle(kTitle), "Vistolarex V1.53[*]");
}

}  // namespace
}  // namespace vx
