#include <filesystem>
#include <system_error>

#include "document/cam_reader.h"
#include "document/cam_writer.h"
#include "editing/camera_set_ops.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "ui/main_window.h"
#include "ui/main_window_texts.h"
#include "ui/pitlane_page.h"
#include "ui/tv_page.h"

namespace vx {

void FrmMain::ShowRuntimeError(const IoError& error) {
    platform_.boxes.Show(kRuntimeErrorTitle,
                         error.description + " - " + std::to_string(error.errorNumber),
                         BoxIcon::Exclamation, BoxButtons::Ok);
}

void FrmMain::ReadCamFile(const std::string& name) {
    const LoadResult result =
        vx::ReadCamFile(name, doc_, [this](const std::string& stage) { SetStatus(stage); });
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

bool FrmMain::ConfirmLoad() {
    if (settings_.SafetyLoad && !doc_.DataSaved &&
        platform_.boxes.Show(kSafetyTitle, kLoadQuestion, BoxIcon::Exclamation,
                             BoxButtons::OkCancel) != BoxAnswer::Ok) {
        SetStatus(kActionCanceledText);
        return false;
    }
    return true;
}

void FrmMain::LoadChosenFile(const std::string& path) {
    camFileName_ = path;
    camPath_ = ExtractCamPath(camFileName_);
    platform_.fileDialog.SetInitialFolder(camPath_);
    platform_.fileDialog.SetFileName("");
    ReadCamFile(camFileName_);
}

void FrmMain::cmdLoadCAMFile_Click() {
    if (!ConfirmLoad()) return;
    const std::optional<std::string> chosen = platform_.fileDialog.AskOpen();
    if (!chosen) {
        SetStatus(kLoadCancelledText);
        return;
    }
    LoadChosenFile(*chosen);
}

void FrmMain::cmdSaveCAMFile_Click() {
    const std::optional<std::string> chosen = platform_.fileDialog.AskSave();
    if (!chosen) {
        SetStatus(SaveStatusText(SaveOutcome::Cancelled));
        return;
    }
    camFileName_ = *chosen;
    camPath_ = ExtractCamPath(camFileName_);
    platform_.fileDialog.SetInitialFolder(camPath_);
    platform_.fileDialog.SetFileName("");

    std::error_code ignored;
    if (settings_.SafetyOverwrite && std::filesystem::exists(camFileName_, ignored) &&
        platform_.boxes.Show(kSafetyTitle, kOverwriteQuestion, BoxIcon::Exclamation,
                             BoxButtons::OkCancel) != BoxAnswer::Ok) {
        SetStatus(SaveStatusText(SaveOutcome::Cancelled));
        return;
    }
    const SaveResult result = WriteCamFile(camFileName_, doc_, platform_.files);
    if (result.outcome == SaveOutcome::OtherFailure) {
        // The file on disk and the document stay as they were; nothing is lost.
        ShowRuntimeError(result.error);
        SetStatus(kSaveAbortedText);
        return;
    }
    SetStatus(SaveStatusText(result.outcome));
}

}  // namespace vx
