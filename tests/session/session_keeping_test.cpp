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

namespace fs = std::filesystem;

void Edit(DocumentSession& session, std::uint32_t value) {
    session.Apply({"edit", {}}, [value](CamDocument& doc) { doc.Pitlane.SetRaw(0, value); });
}

TEST(DocumentSession, TitleAndRecentFilesFollowSuccessfulLoadsAndSavesOnly) {
    testing::ScratchFolder scratch;
    DocumentSession session;
    session.KeepStateIn(StateFolder(scratch.Path("state")));
    EXPECT_EQ(session.WindowTitle("Vistolarex V1.53"), "Vistolarex V1.53[*]");
    ASSERT_EQ(session.Save(scratch.Path("a.cam")).outcome, SaveOutcome::Success);
    ASSERT_EQ(session.Save(scratch.Path("b.cam")).outcome, SaveOutcome::Success);
    ASSERT_EQ(session.Load(scratch.Path("a.cam")).outcome, LoadOutcome::Success);
    EXPECT_NE(session.Load(scratch.Path("missing.cam")).outcome, LoadOutcome::Success);
    EXPECT_EQ(session.WindowTitle("Vistolarex V1.53"), "a.cam[*] \u2013 Vistolarex V1.53");
    EXPECT_EQ(session.RecentFiles(),
              (std::vector<std::string>{scratch.Path("a.cam"), scratch.Path("b.cam")}));
    fs::remove(scratch.Path("b.cam"));
    EXPECT_EQ(session.RecentFiles(), std::vector<std::string>{scratch.Path("a.cam")});

    EXPECT_FALSE(session.AskBeforeTest() || session.CurrentFileChanged());
    Edit(session, 7);
    EXPECT_TRUE(session.AskBeforeTest());
    ASSERT_EQ(session.Save(scratch.Path("c.cam")).outcome, SaveOutcome::Success);
    ASSERT_EQ(session.Load(scratch.Path("a.cam")).outcome, LoadOutcome::Success);
    fs::rename(scratch.Path("c.cam"), scratch.Path("a.cam"));  // as editors and sync tools save
    EXPECT_TRUE(session.CurrentFileChanged() && session.OfferReload());
    session.KeepMine();
    EXPECT_FALSE(session.OfferReload()) << "kept over this change";
    testing::WriteBytes(scratch.Path("a.cam"), {1});
    EXPECT_TRUE(session.OfferReload()) << "the next change is offered again";
}

TEST(DocumentSession, RecoveryFileHoldsExactlyTheUnsavedChangesAndGoesWithThem) {
    testing::ScratchFolder scratch;
    DocumentSession session;
    session.KeepStateIn(StateFolder(scratch.Path("state")));
    const std::string file = scratch.Path("demo.cam");
    const auto copies = [&] {
        int count = 0;
        std::error_code none;
        for (const auto& entry : fs::directory_iterator(scratch.Path("state/recovery"), none))
            count += entry.path().extension() == ".recovery";
        return count;
    };
    ASSERT_EQ(session.Save(file).outcome, SaveOutcome::Success);
    Edit(session, 7);
    EXPECT_TRUE(session.RecoveryPending());
    EXPECT_EQ(copies(), 0) << "written by the timer, not by the edit";
    session.WriteRecovery();
    EXPECT_FALSE(session.RecoveryPending());
    EXPECT_EQ(copies(), 1);
    session.Undo();
    EXPECT_EQ(copies(), 0) << "undone back to the saved state";
    session.Redo();
    session.WriteRecovery();
    ASSERT_EQ(session.Save(file).outcome, SaveOutcome::Success);
    EXPECT_EQ(copies(), 0) << "saved";
    Edit(session, 8);
    session.WriteRecovery();
    session.EndOrderly();
    EXPECT_EQ(copies(), 0) << "an orderly end";
}

TEST(DocumentSession, RestoredChangesAreUnsavedChangesOfTheirFileWithANewHistory) {
    testing::ScratchFolder scratch;
    const std::string file = scratch.Path("demo.cam");
    DocumentSession session;
    ASSERT_EQ(session.Save(file).outcome, SaveOutcome::Success);
    const CamDocument startup = session.Document();
    Edit(session, 9);
    const RecoveredDocument recovered{file, session.Document()};

    DocumentSession restarted;
    EXPECT_TRUE(restarted.RecoveryBaseline(recovered)->SameContent(startup));
    restarted.Restore(recovered);
    EXPECT_TRUE(restarted.Document().SameContent(recovered.doc) && restarted.Unsaved());
    EXPECT_FALSE(restarted.History().CanUndo());
    EXPECT_EQ(restarted.CurrentFile(), file);
    ASSERT_EQ(restarted.Save(restarted.CurrentFile()).outcome, SaveOutcome::Success);
    EXPECT_EQ(testing::ReadBytes(file), SerializeCamDocument(recovered.doc));

    // Without its file the changes still count as unsaved; without a file at all
    // they are measured against the start-up document.
    fs::remove(file);
    DocumentSession orphaned, fileless;
    EXPECT_FALSE(orphaned.RecoveryBaseline(recovered));
    orphaned.Restore(recovered);
    EXPECT_TRUE(orphaned.Unsaved());
    fileless.Restore({"", fileless.Document()});
    EXPECT_FALSE(fileless.Unsaved());
}

}  // namespace
}  // namespace vx
