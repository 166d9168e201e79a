// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "session/document_session.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace vx {

namespace {

// One spelling per file, so a relative command-line name matches the dialog's.
std::string ComparablePath(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::absolute(path, ignored).lexically_normal().string();
}

// A change told without words: the whole document or only its saved state.
SessionChange Whole(SessionChange::Cause cause) {
    SessionChange change;
    change.cause = cause;
    return change;
}

}  // namespace

DocumentSession::DocumentSession() {
    NewDocument(doc_);
    recorded_ = doc_;
    savedContent_ = doc_;
}

bool DocumentSession::Apply(StepInfo step, const Edit& edit) {
    return Apply([&](CamDocument& doc) {
        edit(doc);
        return std::move(step);
    });
}

bool DocumentSession::Apply(const PlacedEdit& edit) {
    StepInfo step = edit(doc_);
    DocumentChange change = ChangeBetween(recorded_, doc_);
    Reapply(recorded_, change);
    const SessionChange told{SessionChange::Cause::Step, &change, step.place,
                             step.place.cameraAfter};
    // The words are told as this edit made them, also when it joins the step before.
    history_.Push(change, std::move(step));
    Settle(told);
    return !change.Empty();
}

std::string DocumentSession::Undo() {
    const StepHistory::Step* step = history_.TakeBack();
    if (step == nullptr) return {};
    Revert(doc_, step->change);
    Revert(recorded_, step->change);
    Settle({SessionChange::Cause::Undo, &step->change, step->info.place,
            step->info.place.cameraBefore});
    return "Undone: " + step->info.text + ". Ready.";
}

std::string DocumentSession::Redo() {
    const StepHistory::Step* step = history_.DoAgain();
    if (step == nullptr) return {};
    Reapply(doc_, step->change);
    Reapply(recorded_, step->change);
    Settle({SessionChange::Cause::Redo, &step->change, step->info.place,
            step->info.place.cameraAfter});
    return "Redone: " + step->info.text + ". Ready.";
}

void DocumentSession::Reset(const Edit& make) {
    make(doc_);
    recorded_ = doc_;
    savedContent_ = doc_;
    history_.Clear();
    Settle(Whole(SessionChange::Cause::Replaced));
}

LoadResult DocumentSession::Load(const std::string& path, const ProgressSink& progress) {
    LoadResult result = ReadCamFile(path, doc_, progress);
    if (result.outcome != LoadOutcome::Success) return result;
    recorded_ = doc_;
    history_.Clear();
    MarkSaved(path, result.stamp);
    if (recent_) recent_->Add(path);
    Settle(Whole(SessionChange::Cause::Replaced));
    return result;
}

SaveResult DocumentSession::Save(const std::string& path, FileLayer& files) {
    SaveResult result = WriteCamFile(path, doc_, files);
    if (result.outcome != SaveOutcome::Success) return result;
    MarkSaved(path, result.stamp);
    if (recent_) recent_->Add(path);
    history_.MarkSaved();
    Settle(Whole(SessionChange::Cause::Saved));
    return result;
}

SaveQuestion DocumentSession::AskBeforeSave(const std::string& target,
                                            const Settings& settings) const {
    if (!StampOfPath(target).exists) return SaveQuestion::None;
    if (ChangedOnDisk(seen_, target)) return SaveQuestion::ChangedOnDisk;
    return settings.SafetyOverwrite ? SaveQuestion::Overwrite : SaveQuestion::None;
}

SaveQuestion DocumentSession::AskBeforeResave() const {
    Settings chosen;
    chosen.SafetyOverwrite = false;
    return AskBeforeSave(currentFile_, chosen);
}

void DocumentSession::MarkSaved(const std::string& path, const FileStamp& stamp) {
    currentFile_ = ComparablePath(path);
    seen_ = SeeFile(path, stamp);
    keptOver_ = {};
    savedContent_ = doc_;
}

void DocumentSession::Settle(SessionChange change) {
    doc_.DataSaved = doc_.SameContent(savedContent_);
    if (recovery_) {
        recoveryPending_ = !doc_.DataSaved;
        // Back at the saved state (a save, an undo): there is nothing to recover.
        if (doc_.DataSaved) recovery_->Remove();
    }
    for (const Listener& listener : listeners_) listener(change);
}

std::string DocumentSession::WindowTitle(const std::string& programTitle) const {
    if (currentFile_.empty()) return programTitle + "[*]";
    return std::filesystem::path(currentFile_).filename().string() + "[*] \u2013 " + programTitle;
}

bool DocumentSession::CurrentFileChanged() const { return ChangedOnDisk(seen_, currentFile_); }

bool DocumentSession::OfferReload() const {
    if (!CurrentFileChanged()) return false;
    return !keptOver_.exists || StampOfPath(currentFile_) != keptOver_;
}

void DocumentSession::KeepMine() { keptOver_ = StampOfPath(currentFile_); }

void DocumentSession::KeepStateIn(const StateFolder& folder) {
    state_ = std::make_unique<StateFolder>(folder);
    recent_ = std::make_unique<vx::RecentFiles>(folder);
    recovery_ = std::make_unique<RecoveryFile>(folder);
}

std::vector<std::string> DocumentSession::RecentFiles() const {
    return recent_ ? recent_->Files() : std::vector<std::string>();
}

void DocumentSession::WriteRecovery() {
    if (!recovery_ || !recoveryPending_) return;
    // A recovery file that cannot be written is tried again at the next change.
    recoveryPending_ = !recovery_->Write(currentFile_, doc_);
}

void DocumentSession::EndOrderly() {
    recoveryPending_ = false;
    if (recovery_) recovery_->Remove();
}

RecoveryScan DocumentSession::FindRecoveries() const {
    return state_ ? FindOrphanedRecoveries(*state_) : RecoveryScan();
}

std::optional<CamDocument> DocumentSession::RecoveryBaseline(
    const RecoveredDocument& recovered) const {
    if (recovered.fileName.empty()) return savedContent_;
    CamDocument onDisk;
    if (ReadCamFile(recovered.fileName, onDisk).outcome != LoadOutcome::Success)
        return std::nullopt;
    return onDisk;
}

void DocumentSession::Restore(const RecoveredDocument& recovered) {
    if (!recovered.fileName.empty()) {
        // Stamped before it is read, so a change in between shows as changed on disk.
        const FileStamp stamp = StampOfPath(recovered.fileName);
        // A file gone or unreadable leaves the default document as the saved state,
        // which no read document equals: the changes count as unsaved.
        savedContent_ = RecoveryBaseline(recovered).value_or(CamDocument());
        currentFile_ = ComparablePath(recovered.fileName);
        seen_ = SeeFile(recovered.fileName, stamp);
        keptOver_ = {};
    }
    doc_ = recovered.doc;
    recorded_ = doc_;
    history_.Clear();
    Settle(Whole(SessionChange::Cause::Replaced));
}

}  // namespace vx
