// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "editing/camera_set_ops.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "ui/editor/editor_texts.h"
#include "ui/editor/editor_window.h"
#include "ui/editor/pitlane_page.h"
#include "ui/editor/tv_page.h"

namespace vx {

void EditorWindow::ShowRuntimeError(const IoError& error) {
    platform_.boxes.Show(kRuntimeErrorTitle,
                         error.description + " - " + std::to_string(error.errorNumber),
                         BoxIcon::Exclamation, BoxButtons::Ok);
}

void EditorWindow::ReadCamFile(const std::string& name) {
    const LoadResult result =
        session_.Load(name, [this](const std::string& stage) { SetStatus(stage); });
    switch (result.outcome) {
        case LoadOutcome::Success:
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
    if (session_.AskBeforeLoad(settings_) &&
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
    const SaveQuestion question = session_.AskBeforeSave(camFileName_, settings_);
    if (question == SaveQuestion::None) return true;
    const bool changed = question == SaveQuestion::ChangedOnDisk;
    // Return must not overwrite another program's work.
    if (platform_.boxes.Show(kSafetyTitle, changed ? kChangedOnDiskQuestion : kOverwriteQuestion,
                             BoxIcon::Exclamation, BoxButtons::OkCancel,
                             changed ? BoxAnswer::Cancel : BoxAnswer::Ok) == BoxAnswer::Ok) {
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
    const SaveResult result = session_.Save(camFileName_, platform_.files);
    if (result.outcome == SaveOutcome::OtherFailure) {
        // The file on disk and the document stay as they were; nothing is lost.
        ShowRuntimeError(result.error);
        SetStatus(kSaveAbortedText);
        return;
    }
    SetStatus(SaveStatusText(result.outcome));
}

}  // namespace vx
