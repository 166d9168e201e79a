// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/edit_history.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "editing/camera_set_ops.h"
#include "editing/field_entry.h"

namespace vx {
namespace {

// The whole document word for word, free slots and count bytes 1 to 3 included.
bool SameBits(const CamDocument& a, const CamDocument& b) {
    return a.Header == b.Header && a.TV1 == b.TV1 && a.TV2 == b.TV2 && a.Pitlane == b.Pitlane;
}

CamDocument StartDocument() {
    CamDocument doc;
    NewDocument(doc);
    CameraDefaults defaults{};
    defaults[0] = FloatBits(-1.0f);
    for (int k = 1; k <= 11; ++k) defaults[static_cast<std::size_t>(k)] = FloatBits(0.25f * k);
    ApplyNewCameraDefaults(doc, defaults);
    doc.TV1.Camera(1).SetFloat(0, 100.0f);
    doc.TV1.CountBytes[2] = 7;                    // carried along untouched
    doc.TV2.Cameras[200].SetRaw(13, 0xDEADBEEF);  // a free slot's leftovers
    return doc;
}

// Random steps of every kind the window records, on random cameras; a stepper is
// often clicked again at once, so steps also merge.
class RandomEditor {
  public:
    RandomEditor(CamDocument& doc, EditHistory& history) : doc_(doc), history_(history) {}

    void Step() {
        const CamDocument before = doc_;
        const SetId set = Pick(2) == 0 ? SetId::TV1 : SetId::TV2;
        const int count = doc_.Set(set).Count();
        const int camera = 1 + Pick(count);
        StepInfo info{"step", {set == SetId::TV1 ? EditTab::TV1 : EditTab::TV2, camera, camera}};
        const int field = Pick(12) == 4 ? 0 : Pick(12);
        switch (lastStepper_ >= 0 && Pick(2) == 0 ? 8 : Pick(9)) {
            case 0:
                EnterTvField(doc_, set, camera, field, std::to_string(Pick(400) - 100) + ".5",
                             Pick(2) == 0);
                break;
            case 1:
                SetCameraMode(doc_, set, camera, Pick(2) == 0);
                break;
            case 2:
                info.place.cameraAfter =
                    InsertCameraBefore(doc_, set, camera, Defaults()).showCamera;
                break;
            case 3:
                info.place.cameraAfter =
                    InsertCameraBehind(doc_, set, camera, Defaults()).showCamera;
                break;
            case 4:
                info.place.cameraAfter = RemoveCurrentCamera(doc_, set, camera).showCamera;
                break;
            case 5:
                AssignFieldToAll(doc_, set, field, camera);
                break;
            case 6:
                EnterPitlaneField(doc_, Pick(7), std::to_string(Pick(100)));
                info.place = {EditTab::Pitlane, 0, 0};
                break;
            case 7:
                StepPitlaneField(doc_, Pick(7), Pick(200) - 100);
                info.place = {EditTab::Pitlane, 0, 0};
                break;
            case 8: {
                // A stepper click: the last stepper again, or a new one.
                if (lastStepper_ < 0 || Pick(4) == 0) {
                    lastStepper_ = field == TvField::Mode ? 0 : field;
                    stepperCamera_ = camera;
                    stepperSet_ = set;
                }
                const int at = std::min(stepperCamera_, doc_.Set(stepperSet_).Count());
                info.place = {stepperSet_ == SetId::TV1 ? EditTab::TV1 : EditTab::TV2, at, at};
                info.mergeField = lastStepper_;
                StepTvField(doc_, stepperSet_, at, lastStepper_,
                            TvStepperPosition(doc_.Set(stepperSet_).Camera(at), lastStepper_) +
                                (Pick(2) == 0 ? 1000 : -1000));
                Record(before, info);
                return;
            }
        }
        lastStepper_ = -1;
        Record(before, info);
    }

    // Steps that changed the document, merged or not.
    int Changes() const { return changes_; }

  private:
    void Record(const CamDocument& before, const StepInfo& info) {
        if (!SameBits(before, doc_)) ++changes_;
        history_.Record(before, info);
    }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    CameraDefaults Defaults() {
        CameraDefaults d{};
        d[0] = FloatBits(Pick(2) == 0 ? -1.0f : 30.0f);
        for (int k = 1; k <= 11; ++k) d[static_cast<std::size_t>(k)] = FloatBits(k + 0.5f);
        return d;
    }

    CamDocument& doc_;
    EditHistory& history_;
    std::mt19937 random_{20261206};
    int lastStepper_ = -1;
    int stepperCamera_ = 1;
    SetId stepperSet_ = SetId::TV1;
    int changes_ = 0;
};

TEST(EditHistory, UndoingRandomStepsRestoresTheBitsRedoingThemRepeatsThem) {
    for (int run = 0; run < 20; ++run) {
        SCOPED_TRACE(run);
        CamDocument doc = StartDocument();
        int shown = 0;
        EditHistory history(doc, [&shown](EditTab, int) { ++shown; });
        history.Loaded();
        const CamDocument start = doc;
        RandomEditor editor(doc, history);
        CamDocument saved = start;
        for (int step = 0; step < 60; ++step) {
            editor.Step();
            // Unsaved exactly when the content differs from the file.
            ASSERT_EQ(doc.DataSaved, doc.SameContent(saved)) << step;
            if (step == 30) {
                history.Saved();
                saved = doc;
            }
        }
        const CamDocument done = doc;
        const int steps = history.Stack().count();
        ASSERT_GT(steps, 20);
        EXPECT_LT(steps, editor.Changes()) << "clicks on one stepper merge";

        while (history.Stack().canUndo()) {
            ASSERT_NE(history.Undo(), "");
            ASSERT_EQ(doc.DataSaved, doc.SameContent(saved));
        }
        EXPECT_TRUE(SameBits(doc, start));
        EXPECT_FALSE(doc.DataSaved) << "the saved file lies later in the history";
        EXPECT_EQ(shown, steps) << "every undo shows what it touched";

        while (history.Stack().canRedo()) ASSERT_NE(history.Redo(), "");
        EXPECT_TRUE(SameBits(doc, done));
        EXPECT_EQ(history.Stack().count(), steps);
    }
}

}  // namespace
}  // namespace vx
