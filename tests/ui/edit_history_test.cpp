// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/edit_history.h"

#include <gtest/gtest.h>

#include <random>

#include "editing/camera_set_ops.h"

namespace vx {
namespace {

// The whole document word for word, free slots and count bytes included.
bool SameBits(const CamDocument& a, const CamDocument& b) {
    return a.Header == b.Header && a.TV1 == b.TV1 && a.TV2 == b.TV2 && a.Pitlane == b.Pitlane;
}

// Random changes anywhere in the document, set operations that shift cameras among
// them, and runs of stepper clicks on one field that merge into one step.
TEST(EditHistory, UndoingRandomStepsRestoresTheBitsAndRedoingThemRepeatsThem) {
    std::mt19937 random(20261206);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    for (int run = 0; run < 20; ++run) {
        CamDocument doc;
        NewDocument(doc);
        doc.TV2.Cameras[200].SetRaw(13, 0xDEADBEEF);  // a free slot's leftovers
        int shown = 0;
        EditHistory history(doc, [&shown](EditTab, int) { ++shown; });
        history.Loaded();
        const CamDocument start = doc;
        CamDocument saved = start;
        int changes = 0;
        for (int step = 0; step < 60; ++step) {
            CamDocument before = doc;
            CameraSet& set = pick(2) == 0 ? doc.TV1 : doc.TV2;
            const int camera = 1 + pick(std::max(1, set.Count()));
            StepInfo info{"step " + std::to_string(step), {EditTab::TV1, camera, camera}};
            switch (pick(7)) {
                case 0:
                    set.Cameras[pick(kSlotCount)].SetRaw(pick(kTvFieldCount), random());
                    break;
                case 1:
                    set.CountBytes[pick(kCountBytes)] = static_cast<std::uint8_t>(pick(9));
                    break;
                case 2:
                    doc.Pitlane.SetRaw(pick(kPitlaneFieldCount), random());
                    break;
                case 3:
                    doc.Header[pick(kHeaderBytes)] = static_cast<std::uint8_t>(random());
                    break;
                case 4:
                    InsertCameraBehind(doc, SetId::TV1, camera, CameraDefaults{});
                    break;
                case 5:
                    RemoveCurrentCamera(doc, SetId::TV1, camera);
                    break;
                default:  // a run of clicks on the stepper of field 2 of TV2 camera 1
                    info = {"click", {EditTab::TV2, 1, 1}, 2};
                    for (int click = pick(4); click > 0; --click) {
                        doc.TV2.Cameras[0].SetRaw(2, doc.TV2.Cameras[0].Raw(2) + 1);
                        history.Record(before, info);
                        before = doc;
                        ++changes;
                    }
                    doc.TV2.Cameras[0].SetRaw(2, doc.TV2.Cameras[0].Raw(2) + 1);
            }
            if (!SameBits(before, doc)) ++changes;
            history.Record(before, info);
            ASSERT_EQ(doc.DataSaved, doc.SameContent(saved)) << "run " << run << " step " << step;
            if (step == 30) {
                history.Saved();
                saved = doc;
            }
        }
        const CamDocument done = doc;
        const int steps = history.Stack().count();
        EXPECT_LT(steps, changes) << "run " << run << ": clicks on one stepper merge";
        while (history.Stack().canUndo()) {
            ASSERT_NE(history.Undo(), "");
            ASSERT_EQ(doc.DataSaved, doc.SameContent(saved)) << "run " << run;
        }
        EXPECT_TRUE(SameBits(doc, start)) << "run " << run;
        EXPECT_EQ(shown, steps) << "every undo shows what it touched";
        while (history.Stack().canRedo()) ASSERT_NE(history.Redo(), "");
        EXPECT_TRUE(SameBits(doc, done)) << "run " << run;
        EXPECT_EQ(history.Undo().rfind("Undone: ", 0), 0u);
    }
}

}  // namespace
}  // namespace vx
