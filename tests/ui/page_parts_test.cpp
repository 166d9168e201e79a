// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The parts the pages are built from: the value stepper, the camera clipboard's data
// and the edit history behind Undo and Redo.
#include <gtest/gtest.h>

#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <random>

#include "editing/camera_set_ops.h"
#include "support/sample_camera.h"
#include "ui/camera_clipboard.h"
#include "ui/edit_history.h"
#include "ui/value_stepper.h"

namespace vx {
namespace {

TEST(ValueStepper, OnlyArrowClicksAreStepsAndAStepBeyondTheRangeIsNone) {
    ValueStepper stepper;
    stepper.resize(16, 20);
    QSignalSpy steps(&stepper, &ValueStepper::stepped);
    std::mt19937 random(20261207);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int i = 0; i < 200; ++i) {
        const int lo = pick(-5, 5) * 1000, hi = lo + pick(0, 10) * 1000 + pick(0, 999);
        const int increment = pick(1, 3) * 500, asked = pick(lo - 3000, hi + 3000);
        stepper.SetRange(lo, hi);
        stepper.SetIncrement(increment);
        stepper.SetPosition(asked);
        const int at = std::clamp(asked, lo, hi);
        ASSERT_EQ(stepper.Position(), at) << "seed case " << i << " position " << asked;
        ASSERT_EQ(steps.count(), 0) << "positioning by the program is no step";
        const bool up = pick(0, 1) == 1;
        QTest::mouseClick(up ? stepper.UpArrow() : stepper.DownArrow(), Qt::LeftButton);
        const int next = up ? at + increment : at - increment;
        const bool within = next >= lo && next <= hi;
        ASSERT_EQ(steps.count(), within ? 1 : 0) << "seed case " << i << " from " << at;
        if (within) {
            EXPECT_EQ(steps.takeFirst().at(0).toInt(), next) << "seed case " << i;
        }
        EXPECT_EQ(stepper.Position(), within ? next : at) << "seed case " << i;
    }
}

TEST(CameraMimeData, OurRecordsWinOverTheTextAndPlainTextHoldsNoCamera) {
    auto mime = CameraMimeData(SetId::TV1, 3, testing::SampleCamera(1));
    EXPECT_TRUE(HoldsCameras(mime.get()));
    QMimeData plain;
    plain.setText("42");
    EXPECT_FALSE(HoldsCameras(&plain));
    EXPECT_FALSE(HoldsCameras(nullptr));
    // Our records win over the text, which another program may have changed.
    mime->setText("nonsense");
    const ClipboardCameras own = CamerasFromMimeData(mime.get());
    ASSERT_TRUE(own.Ok());
    EXPECT_EQ(own.cameras, std::vector<TvCamera>{testing::SampleCamera(1)});
    // A broken record of our type falls back to the text.
    mime->setData(kCameraMimeType, QByteArray(10, '\0'));
    EXPECT_EQ(CamerasFromMimeData(mime.get()).refusal, "Clipboard holds no camera. Ready.");
}

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
