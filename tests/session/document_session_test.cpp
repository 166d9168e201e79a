// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The session's history and file rules, without a window.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "editing/camera_set_ops.h"
#include "session/document_session.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

bool SameBits(const CamDocument& a, const CamDocument& b) {
    return a.Header == b.Header && a.TV1 == b.TV1 && a.TV2 == b.TV2 && a.Pitlane == b.Pitlane;
}

// Changes anywhere, even in free slots, and runs of stepper clicks that merge into one
// step. A view that follows only the words it is told stays equal to the document.
TEST(DocumentSession, UndoingRandomStepsRestoresTheBitsAndRedoingThemRepeatsThem) {
    std::mt19937 random(20261206);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    for (int run = 0; run < 20; ++run) {
        DocumentSession session;
        session.Reset([](CamDocument& doc) {
            NewDocument(doc);
            doc.TV2.Cameras[200].SetRaw(13, 0xDEADBEEF);  // a free slot's leftovers
        });
        CamDocument view = session.Document();
        int shown = 0, changes = 0;
        session.Listen([&](const SessionChange& change) {
            if (change.cause == SessionChange::Cause::Undo) {
                Revert(view, *change.words);
                ++shown;
            } else if (change.words != nullptr) {
                Reapply(view, *change.words);
            }
        });
        const CamDocument start = session.Document();
        CamDocument saved = start;
        testing::ScratchFolder folder;
        for (int step = 0; step < 60; ++step) {
            const SetId id = pick(2) == 0 ? SetId::TV1 : SetId::TV2;
            const int camera = 1 + pick(std::max(1, session.Document().Set(id).Count()));
            StepInfo info{"step " + std::to_string(step), {EditTab::TV1, camera, camera}};
            const std::function<void(CamDocument&)> change[] = {
                [&](CamDocument& d) {
                    d.Set(id).Cameras[pick(kSlotCount)].SetRaw(pick(kTvFieldCount), random());
                },
                [&](CamDocument& d) {
                    d.Set(id).CountBytes[pick(kCountBytes)] = static_cast<std::uint8_t>(pick(9));
                },
                [&](CamDocument& d) { d.Pitlane.SetRaw(pick(kPitlaneFieldCount), random()); },
                [&](CamDocument& d) {
                    d.Header[pick(kHeaderBytes)] = static_cast<std::uint8_t>(random());
                },
                [&](CamDocument& d) {
                    (void)InsertCameraBehind(d, SetId::TV1, camera, CameraDefaults{});
                },
                [&](CamDocument& d) { (void)RemoveCurrentCamera(d, SetId::TV1, camera); },
                [&](CamDocument& d) { d.TV2.Cameras[0].SetRaw(2, d.TV2.Cameras[0].Raw(2) + 1); }};
            const int kind = pick(7);
            if (kind == 6) {  // a run of clicks on the stepper of field 2 of TV2 camera 1
                info = {"click", {EditTab::TV2, 1, 1}, 2};
                for (int click = pick(4); click > 0; --click, ++changes)
                    session.Apply(info, change[kind]);
            }
            if (session.Apply(info, change[kind])) ++changes;
            ASSERT_EQ(session.Document().DataSaved, session.Document().SameContent(saved))
                << "run " << run << " step " << step;
            ASSERT_TRUE(SameBits(view, session.Document())) << "run " << run << " step " << step;
            if (step == 30) {
                ASSERT_EQ(session.Save(folder.Path("saved.cam")).outcome, SaveOutcome::Success);
                saved = session.Document();
            }
        }
        const CamDocument done = session.Document();
        const auto steps = static_cast<int>(session.History().Count());
        EXPECT_LT(steps, changes) << "run " << run << ": clicks on one stepper merge";
        while (session.History().CanUndo()) {
            ASSERT_NE(session.Undo(), "");
            ASSERT_EQ(session.Document().DataSaved, session.Document().SameContent(saved));
        }
        EXPECT_TRUE(SameBits(session.Document(), start)) << "run " << run;
        EXPECT_TRUE(SameBits(view, start)) << "run " << run;
        EXPECT_EQ(shown, steps) << "every undo tells what it touched";
        while (session.History().CanRedo()) ASSERT_NE(session.Redo(), "");
        EXPECT_TRUE(SameBits(session.Document(), done)) << "run " << run;
    }
}

// Stepper clicks join into one step, but never across a save, and a run that leads back
// where it began leaves no step.
TEST(StepHistory, StepsJoinOnlyAtTheSamePlaceAndNotAcrossASave) {
    StepHistory history;
    const StepInfo click{"click", {EditTab::TV1, 1, 1}, 3};
    auto word = [](std::uint32_t before, std::uint32_t after) {
        return DocumentChange{{{7, before, after}}};
    };
    history.Push(word(0, 1), click);
    history.Push(word(1, 2), click);
    EXPECT_EQ(history.Count(), 1u);
    history.MarkSaved();
    history.Push(word(2, 3), click);
    EXPECT_EQ(history.Count(), 2u) << "the save splits the run";
    history.Push(word(3, 2), click);
    EXPECT_EQ(history.Count(), 1u) << "back where the run began";
    history.Push(word(2, 3), {"click", {EditTab::TV1, 2, 2}, 3});
    EXPECT_EQ(history.Count(), 2u) << "another camera";
    ASSERT_NE(history.TakeBack(), nullptr);
    history.Push(word(2, 5), click);
    EXPECT_FALSE(history.CanRedo()) << "a new step drops the undone ones";
}

// Which question a load, an exit and a save ask, and what a load and a save change.
TEST(DocumentSession, FileRulesAskOnlyWhenWorkOrAnotherProgramsChangeWouldBeLost) {
    testing::ScratchFolder folder;
    const std::string first = folder.Path("first.cam"), other = folder.Path("other.cam");
    DocumentSession session;
    Settings safe, quiet;
    quiet.SafetyLoad = quiet.SafetyExit = quiet.SafetyOverwrite = false;
    EXPECT_EQ(session.AskBeforeSave(first, safe), SaveQuestion::None) << "no file there";
    ASSERT_EQ(session.Save(first).outcome, SaveOutcome::Success);
    testing::WriteBytes(other, {1});
    EXPECT_EQ(session.AskBeforeSave(other, safe), SaveQuestion::Overwrite);
    EXPECT_EQ(session.AskBeforeSave(other, quiet), SaveQuestion::None);
    EXPECT_EQ(session.AskBeforeSave(first, quiet), SaveQuestion::None) << "unchanged on disk";
    EXPECT_EQ(session.AskBeforeResave(), SaveQuestion::None) << "its own file, chosen before";
    testing::WriteBytes(first, {1, 2, 3});
    EXPECT_EQ(session.AskBeforeResave(), SaveQuestion::ChangedOnDisk);
    EXPECT_EQ(session.AskBeforeSave(folder.Root() + "/./first.cam", quiet),
              SaveQuestion::ChangedOnDisk);

    EXPECT_FALSE(session.AskBeforeLoad(safe) || session.AskBeforeExit(safe));
    session.Apply({"edit", {}}, [](CamDocument& doc) { doc.Pitlane.SetRaw(0, 5); });
    EXPECT_TRUE(session.AskBeforeLoad(safe) && session.AskBeforeExit(safe));
    EXPECT_FALSE(session.AskBeforeLoad(quiet) || session.AskBeforeExit(quiet));

    const CamDocument edited = session.Document();
    EXPECT_NE(session.Load(first).outcome, LoadOutcome::Success);
    EXPECT_TRUE(SameBits(session.Document(), edited) && session.History().CanUndo())
        << "a failed load changes nothing";
    ASSERT_EQ(session.Save(other).outcome, SaveOutcome::Success);
    session.Apply({"edit", {}}, [](CamDocument& doc) { doc.Pitlane.SetRaw(0, 6); });
    ASSERT_EQ(session.Load(other).outcome, LoadOutcome::Success);
    EXPECT_TRUE(SameBits(session.Document(), edited) && !session.Unsaved());
    EXPECT_FALSE(session.History().CanUndo()) << "a load starts a new history";
    EXPECT_EQ(session.AskBeforeSave(first, quiet), SaveQuestion::None)
        << "the loaded file is the current one now";
}

}  // namespace
}  // namespace vx
