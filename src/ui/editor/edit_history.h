// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <QUndoStack>
#include <functional>
#include <string>

#include "document/cam_document.h"

namespace vx {

// Where a step happened: the tab, and the camera shown before and after it (0 on the
// pitlane tab), so that taking it back or doing it again can show what it touched.
enum class EditTab { TV1, TV2, Pitlane };
struct StepPlace {
    EditTab tab = EditTab::TV1;
    int cameraBefore = 0;
    int cameraAfter = 0;
};

// One step of the user. Clicks on the same stepper of the same camera, one right
// after the other, share a merge key and so become one step.
struct StepInfo {
    std::string text;  // "Add Before (TV1 camera 3)"
    StepPlace place;
    int mergeField = -1;  // the stepper's field, -1 for steps that never merge
};

// The steps done on the document, for Undo and Redo, and the document as the file
// last loaded or saved holds it: the document is unsaved exactly when it differs from
// that, whichever steps led there, and DataSaved follows it after every change made
// here.
class EditHistory : public QObject {
    Q_OBJECT
  public:
    // `show` puts the tab and camera of a step on screen after it was taken back
    // (camera before) or done again (camera after).
    EditHistory(CamDocument& doc, std::function<void(EditTab, int camera)> show,
                QObject* parent = nullptr);
    ~EditHistory() override;

    // The step that led from `before` to the document as it stands now. A step that
    // changed nothing is none.
    void Record(const CamDocument& before, StepInfo info);
    // Take back / do again the last step; the status line text, or "" when there
    // was nothing.
    std::string Undo();
    std::string Redo();

    // The document now matches its file: after a save, and after a load, which also
    // starts a new history.
    void Saved();
    void Loaded();

    QUndoStack& Stack() { return stack_; }
    // At least this many steps are kept.
    static constexpr int kStepLimit = 1000;

  signals:
    void changed();

  private:
    void Sync();

    CamDocument& doc_;
    CamDocument savedContent_;
    std::function<void(EditTab, int)> show_;
    QUndoStack stack_;
};

// The texts of the steps, the set and camera in brackets.
std::string StepText(const std::string& what, SetId set, int camera);
std::string PitlaneStepText(const std::string& what);
// A field's label as a step names it, without the arrow.
std::string FieldName(const char* label);

}  // namespace vx
