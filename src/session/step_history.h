// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <deque>
#include <string>

#include "document/cam_document.h"
#include "editing/document_change.h"

namespace vx {

// Where a step happened: the tab, and the camera shown before and after it (0 on the
// pitlane tab), so that taking it back or doing it again can show what it touched.
enum class EditTab { TV1, TV2, Pitlane };
struct StepPlace {
    EditTab tab = EditTab::TV1;
    int cameraBefore = 0;
    int cameraAfter = 0;
};

// One step of the user. Steps on the same merge key at the same place, one right after
// the other, become one step (clicks on one stepper; typing into its entry box).
struct StepInfo {
    std::string text;  // "Add Before (TV1 camera 3)"
    StepPlace place;
    int mergeField = -1;  // the field stepped, -1 for steps that never merge
};

// The steps done on a document as the words each changed, for Undo and Redo.
class StepHistory {
  public:
    struct Step {
        DocumentChange change;
        StepInfo info;
    };
    // At least this many steps are kept.
    static constexpr std::size_t kStepLimit = 1000;

    // The steps not yet taken back end with this one. It joins the step before when
    // both share a merge key and place and no save came between; a joined step that
    // leads back where it began is dropped.
    void Push(DocumentChange change, StepInfo info);
    // The step to take back (its words are then to be reverted) or to do again; null
    // when there is none.
    const Step* TakeBack();
    const Step* DoAgain();

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    const std::string& UndoText() const;
    const std::string& RedoText() const;
    std::size_t Count() const { return steps_.size(); }

    // The document now matches its file: later steps do not join earlier ones.
    void MarkSaved() { saved_ = static_cast<long>(done_); }
    void Clear();

  private:
    std::deque<Step> steps_;
    std::size_t done_ = 0;
    long saved_ = -1;  // steps done at the last save, -1 when that step is gone
};

// The texts of the steps, the set and camera in brackets.
std::string StepText(const std::string& what, SetId set, int camera);
std::string PitlaneStepText(const std::string& what);
// A field's label as a step names it, without the arrow.
std::string FieldName(const char* label);

}  // namespace vx
