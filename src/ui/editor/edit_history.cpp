// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/editor/edit_history.h"

#include <QUndoCommand>
#include <utility>

#include "editing/document_change.h"

namespace vx {

namespace {

constexpr int kStepperMergeId = 1;

class EditStep : public QUndoCommand {
  public:
    EditStep(CamDocument& doc, DocumentChange change, StepInfo info,
             const std::function<void(EditTab, int)>& show)
        : QUndoCommand(QString::fromStdString(info.text)),
          doc_(doc),
          change_(std::move(change)),
          info_(std::move(info)),
          show_(show) {}

    void undo() override {
        Revert(doc_, change_);
        show_(info_.place.tab, info_.place.cameraBefore);
    }
    void redo() override {
        // The first call comes from the push, after the handler has done the step.
        if (done_) {
            done_ = false;
            return;
        }
        Reapply(doc_, change_);
        show_(info_.place.tab, info_.place.cameraAfter);
    }
    int id() const override { return info_.mergeField < 0 ? -1 : kStepperMergeId; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const EditStep*>(other);
        const StepPlace& a = info_.place;
        const StepPlace& b = next->info_.place;
        if (next->info_.mergeField != info_.mergeField || a.tab != b.tab ||
            a.cameraAfter != b.cameraBefore) {
            return false;
        }
        Absorb(change_, next->change_);
        info_.place.cameraAfter = b.cameraAfter;
        // Clicks that lead back where they began leave no step behind.
        setObsolete(change_.Empty());
        return true;
    }

  private:
    CamDocument& doc_;
    DocumentChange change_;
    StepInfo info_;
    const std::function<void(EditTab, int)>& show_;
    bool done_ = true;
};

}  // namespace

EditHistory::EditHistory(CamDocument& doc, std::function<void(EditTab, int)> show, QObject* parent)
    : QObject(parent), doc_(doc), savedContent_(doc), show_(std::move(show)) {
    stack_.setUndoLimit(kStepLimit);
    connect(&stack_, &QUndoStack::indexChanged, this, [this] { Sync(); });
}

EditHistory::~EditHistory() {
    // The stack empties itself as it goes, after the window's document may be gone.
    disconnect(&stack_, nullptr, this, nullptr);
}

void EditHistory::Record(const CamDocument& before, StepInfo info) {
    DocumentChange change = ChangeBetween(before, doc_);
    if (!change.Empty()) stack_.push(new EditStep(doc_, std::move(change), std::move(info), show_));
    Sync();
}

std::string EditHistory::Undo() {
    if (!stack_.canUndo()) return {};
    const std::string text = stack_.undoText().toStdString();
    stack_.undo();
    return "Undone: " + text + ". Ready.";
}

std::string EditHistory::Redo() {
    if (!stack_.canRedo()) return {};
    const std::string text = stack_.redoText().toStdString();
    stack_.redo();
    return "Redone: " + text + ". Ready.";
}

void EditHistory::Saved() {
    savedContent_ = doc_;
    stack_.setClean();
    Sync();
}

void EditHistory::Loaded() {
    stack_.clear();
    Saved();
}

void EditHistory::Sync() {
    doc_.DataSaved = doc_.SameContent(savedContent_);
    emit changed();
}

std::string StepText(const std::string& what, SetId set, int camera) {
    return what + " (" + SetName(set) + " camera " + std::to_string(camera) + ")";
}

std::string PitlaneStepText(const std::string& what) { return what + " (pitlane camera)"; }

std::string FieldName(const char* label) {
    std::string name(label);
    const std::string arrow = " -->";
    if (name.size() >= arrow.size() && name.ends_with(arrow))
        name.resize(name.size() - arrow.size());
    return name;
}

}  // namespace vx
