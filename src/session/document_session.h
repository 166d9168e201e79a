// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/cam_document.h"
#include "document/cam_reader.h"
#include "document/cam_writer.h"
#include "document/file_layer.h"
#include "document/read_file_prefix.h"
#include "document/seen_file.h"
#include "editing/document_change.h"
#include "session/recent_files.h"
#include "session/recovery_file.h"
#include "session/step_history.h"
#include "settings/settings.h"

namespace vx {

// What one call of the session did to the document, for the views to redraw.
struct SessionChange {
    enum class Cause {
        Step,      // Apply
        Undo,      // a step taken back
        Redo,      // a step done again
        Replaced,  // a load or a fresh document: everything may differ
        Saved,     // the words stay, the saved state changed
    };
    Cause cause = Cause::Step;
    // The words that changed (before and after as the step has them; an Undo writes
    // the before values); empty for Replaced and Saved. Valid during the call only.
    const DocumentChange* words = nullptr;
    StepPlace place;
    // The camera to show: after the step for Step and Redo, before it for Undo.
    int camera = 0;
};

// The asking a save needs before it replaces a file.
enum class SaveQuestion { None, Overwrite, ChangedOnDisk };

// The document being edited, its file and the steps taken on it, without any window.
// Every change of the document goes through Apply, Undo, Redo, Load or Reset, so that
// the saved state and the history always match the document and every listener hears
// of it. The windows ask the Ask... rules and show the boxes.
class DocumentSession {
  public:
    using Edit = std::function<void(CamDocument&)>;
    // An edit that learns its step's place only as it runs (an insertion shows the new
    // camera).
    using PlacedEdit = std::function<StepInfo(CamDocument&)>;
    using Listener = std::function<void(const SessionChange&)>;

    DocumentSession();

    const CamDocument& Document() const { return doc_; }
    // The document differs from what its file held when last loaded or saved.
    bool Unsaved() const { return !doc_.DataSaved; }

    // The one way to edit: runs the edit, records it as one step (or joins it to the
    // last, see StepInfo), updates the saved state and tells the listeners. Returns
    // whether any word changed.
    bool Apply(StepInfo step, const Edit& edit);
    bool Apply(const PlacedEdit& edit);
    // The status texts "Undone: ... Ready." / "Redone: ... Ready."; "" with nothing to do.
    std::string Undo();
    std::string Redo();
    const StepHistory& History() const { return history_; }

    // Makes the document anew; it becomes the saved state with an empty history.
    void Reset(const Edit& make);
    // Reads the file; on success it is the current file, the saved state and the start
    // of a new history. On any other outcome nothing changes.
    [[nodiscard]] LoadResult Load(const std::string& path, const ProgressSink& progress = {});
    // Writes the document atomically; on success the target becomes the current file
    // and the saved state. On failure the file on disk and the session stay as they were.
    [[nodiscard]] SaveResult Save(const std::string& path, FileLayer& files = SystemFileLayer());

    // The file loaded or saved last, in one spelling per file; empty before either.
    const std::string& CurrentFile() const { return currentFile_; }

    bool AskBeforeLoad(const Settings& settings) const { return settings.SafetyLoad && Unsaved(); }
    bool AskBeforeExit(const Settings& settings) const { return settings.SafetyExit && Unsaved(); }
    // Asked before a save to target: ChangedOnDisk when target is the current file, by
    // whatever path (links resolved), and another program changed it since (asked
    // whatever SafetyOverwrite says, since that change would be lost without a word),
    // Overwrite for another existing file when SafetyOverwrite is on.
    SaveQuestion AskBeforeSave(const std::string& target, const Settings& settings) const;
    // Saving the current file again without the dialog: the user chose this file
    // before, so only another program's change to it is asked about.
    SaveQuestion AskBeforeResave() const;

    // "demo.cam[*] – <programTitle>" with a current file, else "<programTitle>[*]"; the
    // window shows "[*]" as its unsaved mark.
    std::string WindowTitle(const std::string& programTitle) const;
    // The current file was rewritten, replaced or removed by someone else since it was
    // loaded or saved.
    bool CurrentFileChanged() const;
    // Such a change is offered for reloading unless the user chose to keep his own
    // document over this very change (KeepMine); the next change is offered again.
    bool OfferReload() const;
    void KeepMine();
    // Testing the cameras goes by the file on disk, which lacks unsaved changes.
    bool AskBeforeTest() const { return Unsaved(); }

    // Keeps the recent files and this instance's recovery file in folder from now
    // on; a session without it keeps neither.
    void KeepStateIn(const StateFolder& folder);
    // The files loaded or saved last that still exist, newest first.
    std::vector<std::string> RecentFiles() const;

    // Unsaved changes that the recovery file does not hold yet. The window writes
    // them from a timer, so that the write never sits on a keystroke's path.
    bool RecoveryPending() const { return recoveryPending_; }
    void WriteRecovery();
    // An orderly end of the program: nothing is left to recover.
    void EndOrderly();
    RecoveryScan FindRecoveries() const;
    // What recovered changes are measured against: their file as it is on disk now,
    // or the start-up document for changes without a file; nullopt when the file
    // can no longer be read.
    std::optional<CamDocument> RecoveryBaseline(const RecoveredDocument& recovered) const;
    // Makes recovered changes the document, as unsaved changes of their file, which
    // becomes the current file; the history starts afresh.
    void Restore(const RecoveredDocument& recovered);

    // Heard after every change, in the order of listening, for the session's lifetime.
    void Listen(Listener listener) { listeners_.push_back(std::move(listener)); }

  private:
    void Settle(SessionChange change);
    void MarkSaved(const std::string& path, const FileStamp& stamp);

    CamDocument doc_;
    // The document as the history knows it; equal to doc_ between calls, so a step's
    // words are found without copying the document.
    CamDocument recorded_;
    CamDocument savedContent_;
    StepHistory history_;
    std::string currentFile_;
    // Which file that is, links resolved, and its stamp then.
    SeenFile seen_;
    // The change on disk the user kept his own document over.
    FileStamp keptOver_;
    std::vector<Listener> listeners_;
    std::unique_ptr<vx::RecentFiles> recent_;
    std::unique_ptr<RecoveryFile> recovery_;
    std::unique_ptr<StateFolder> state_;
    bool recoveryPending_ = false;
};

}  // namespace vx
