// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <filesystem>
#include <system_error>

#include "document/cam_reader.h"
#include "document/cam_writer.h"
#include "editing/camera_set_ops.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "ui/editor/edit_history.h"
#include "ui/editor/editor_texts.h"
#include "ui/editor/editor_window.h"
#include "ui/editor/pitlane_page.h"
#include "ui/editor/tv_page.h"

namespace vx {

namespace {

// One spelling per file, so a relative command-line name matches the dialog's.
std::string ComparablePath(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::absolute(path, ignored).lexically_normal().string();
}

}  // namespace

void EditorWindow::ShowRuntimeError(const IoError& error) {
    platform_.boxes.Show(kRuntimeErrorTitle,
                         error.description + " - " + std::to_string(error.errorNumber),
                         BoxIcon::Exclamation, BoxButtons::Ok);
}

void EditorWindow::ReadCamFile(const std::string& name) {
    const LoadResult result =
        vx::ReadCamFile(name, doc_, [this](const std::string& stage) { SetStatus(stage); });
    switch (result.outcome) {
        case LoadOutcome::Success:
            seenPath_ = ComparablePath(name);
            seenStamp_ = result.stamp;
            // The loaded file is the saved state and the start of a new history.
            history_->Loaded();
            tv1_->ShowFirstCamera();
            tv2_->ShowFirstCamera();
            pit_->ShowPitlaneCamera();
            SetStatus(LoadStatusText(result.outcome));
            break;
        case LoadOutcome::OtherFailure:
            // The document stays as it was and the program goes on.
            ShowRuntimeError(result.error);
            SetStatus(kLoadAbortedText);
            break;
        default:
            SetStatus(LoadStatusText(result.outcome));
            break;
    }
}

bool EditorWindow::ConfirmLoad() {
    if (settings_.SafetyLoad && !doc_.DataSaved &&
        platform_.boxes.Show(kSafetyTitle, kLoadQuestion, BoxIcon::Exclamation,
                             BoxButtons::OkCancel) != BoxAnswer::Ok) {
        SetStatus(kActionCanceledText);
        return false;
    }
    return true;
}

void EditorWindow::LoadChosenFile(const std::string& path) {
    camFileName_ = path;
    camPath_ = ExtractCamPath(camFileName_);
    platform_.fileDialog.SetInitialFolder(camPath_);
    platform_.fileDialog.SetFileName("");
    ReadCamFile(camFileName_);
}

void EditorWindow::OnLoadClicked() {
    if (!ConfirmLoad()) return;
    const std::optional<std::string> chosen = platform_.fileDialog.AskOpen();
    if (!chosen) {
        SetStatus(kLoadCancelledText);
        return;
    }
    LoadChosenFile(*chosen);
}

bool EditorWindow::ConfirmOverwrite() {
    const FileStamp now = StampOfPath(camFileName_);
    if (!now.exists) return true;
    // Another program's change would be lost without a word, so this question is
    // asked whatever SafetyOverwrite says.
    const bool changed = ComparablePath(camFileName_) == seenPath_ && now != seenStamp_;
    if (!changed && !settings_.SafetyOverwrite) return true;
    if (platform_.boxes.Show(kSafetyTitle, changed ? kChangedOnDiskQuestion : kOverwriteQuestion,
                             BoxIcon::Exclamation, BoxButtons::OkCancel) == BoxAnswer::Ok) {
        return true;
    }
    SetStatus(SaveStatusText(SaveOutcome::Cancelled));
    return false;
}

void EditorWindow::OnSaveClicked() {
    const std::optional<std::string> chosen = platform_.fileDialog.AskSave();
    if (!chosen) {
        SetStatus(SaveStatusText(SaveOutcome::Cancelled));
        return;
    }
    camFileName_ = *chosen;
    camPath_ = ExtractCamPath(camFileName_);
    platform_.fileDialog.SetInitialFolder(camPath_);
    platform_.fileDialog.SetFileName("");

    if (!ConfirmOverwrite()) return;
    const SaveResult result = WriteCamFile(camFileName_, doc_, platform_.files);
    if (result.outcome == SaveOutcome::Success) {
        seenPath_ = ComparablePath(camFileName_);
        seenStamp_ = result.stamp;
        history_->Saved();
    }
    if (result.outcome == SaveOutcome::OtherFailure) {
        // The file on disk and the document stay as they were; nothing is lost.
        ShowRuntimeError(result.error);
        SetStatus(kSaveAbortedText);
        return;
    }
    SetStatus(SaveStatusText(result.outcome));
}

}  // namespace vx
