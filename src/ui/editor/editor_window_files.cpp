// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <filesystem>

#include "editing/camera_set_ops.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "ui/editor/changed_on_disk_bar.h"
#include "ui/editor/editor_texts.h"
#include "ui/editor/editor_window.h"
#include "ui/editor/file_watch.h"
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

bool EditorWindow::ConfirmSave(SaveQuestion question) {
    if (question == SaveQuestion::None) return true;
    // Return must not throw another program's change away.
    const bool changed = question == SaveQuestion::ChangedOnDisk;
    if (platform_.boxes.Show(kSafetyTitle, changed ? kChangedOnDiskQuestion : kOverwriteQuestion,
                             BoxIcon::Exclamation, BoxButtons::OkCancel,
                             changed ? BoxAnswer::Cancel : BoxAnswer::Ok) == BoxAnswer::Ok) {
        return true;
    }
    SetStatus(SaveStatusText(SaveOutcome::Cancelled));
    return false;
}

void EditorWindow::OnSaveClicked() { SaveWithDialog(); }

bool EditorWindow::SaveWithDialog() {
    // The dialog offers the file being edited, so Return saves it again.
    const std::filesystem::path current = session_.CurrentFile();
    if (!current.empty()) {
        platform_.fileDialog.SetInitialFolder(current.parent_path().string());
        platform_.fileDialog.SetFileName(current.filename().string());
    }
    const std::optional<std::string> chosen = platform_.fileDialog.AskSave();
    if (!chosen) {
        platform_.fileDialog.SetInitialFolder(camPath_);
        platform_.fileDialog.SetFileName("");
        SetStatus(SaveStatusText(SaveOutcome::Cancelled));
        return false;
    }
    camFileName_ = *chosen;
    camPath_ = ExtractCamPath(camFileName_);
    platform_.fileDialog.SetInitialFolder(camPath_);
    platform_.fileDialog.SetFileName("");

    if (!ConfirmSave(session_.AskBeforeSave(camFileName_, settings_))) return false;
    return SaveTo(camFileName_);
}

bool EditorWindow::SaveTo(const std::string& path) {
    const SaveResult result = session_.Save(path, platform_.files);
    if (result.outcome == SaveOutcome::OtherFailure) {
        // The file on disk and the document stay as they were; nothing is lost.
        ShowRuntimeError(result.error);
        SetStatus(kSaveAbortedText);
        return false;
    }
    SetStatus(SaveStatusText(result.outcome));
    return result.outcome == SaveOutcome::Success;
}

bool EditorWindow::SaveForTest() {
    const std::string current = session_.CurrentFile();
    if (current.empty()) return SaveWithDialog();
    return ConfirmSave(session_.AskBeforeResave()) && SaveTo(current);
}

void EditorWindow::ShowRecentMenu() {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("mnuRecentFiles"));
    const std::vector<std::string> files = session_.RecentFiles();
    for (const std::string& file : files) {
        QString text = QString::fromStdString(file);
        QAction* action = menu.addAction(text.replace(u'&', QStringLiteral("&&")));
        connect(action, &QAction::triggered, this, [this, file] {
            // After the menu has closed, as a drop does.
            QTimer::singleShot(0, this, [this, file] { LoadRecentFile(file); });
        });
    }
    if (files.empty()) menu.addAction(QString::fromUtf8(kNoRecentFiles))->setEnabled(false);
    menu.exec(load_->mapToGlobal(QPoint(0, load_->height())));
}

void EditorWindow::LoadRecentFile(const std::string& path) {
    CommitFocusedEntry();
    if (!ConfirmLoad()) return;
    LoadChosenFile(path);
}

void EditorWindow::BuildLoopControls() {
    load_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(load_, &QPushButton::customContextMenuRequested, this, [this] { ShowRecentMenu(); });
    auto* recentKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Down), load_);
    recentKey->setContext(Qt::WidgetShortcut);
    connect(recentKey, &QShortcut::activated, this, [this] { ShowRecentMenu(); });

    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setSingleShot(true);
    recoveryTimer_->setInterval(1000);
    connect(recoveryTimer_, &QTimer::timeout, this, [this] { session_.WriteRecovery(); });

    // Over the status line, which is what it reports instead of.
    changedBar_ = new ChangedOnDiskBar(statusFrame_->parentWidget());
    changedBar_->setGeometry(statusFrame_->geometry());
    connect(changedBar_, &ChangedOnDiskBar::reloadChosen, this, [this] { OnReloadChosen(); });
    connect(changedBar_, &ChangedOnDiskBar::keepMineChosen, this, [this] { session_.KeepMine(); });
    fileWatch_ = new FileWatch(this);
    connect(fileWatch_, &FileWatch::touched, this, [this] { OnCurrentFileTouched(); });
}

void EditorWindow::UpdateTitle() {
    setWindowTitle(QString::fromStdString(session_.WindowTitle(kEditorWindowTitle)));
    setWindowFilePath(QString::fromStdString(session_.CurrentFile()));
    if (session_.CurrentFile() != watchedFile_) {
        watchedFile_ = session_.CurrentFile();
        fileWatch_->Watch(watchedFile_);
        changedBar_->hide();
    }
}

void EditorWindow::OnCurrentFileTouched() {
    if (!session_.OfferReload() || changedBar_->isVisible()) return;
    changedBar_->ShowFor(std::filesystem::path(session_.CurrentFile()).filename().string());
}

void EditorWindow::OnReloadChosen() {
    CommitFocusedEntry();
    if (!ConfirmLoad()) {
        changedBar_->ShowFor(std::filesystem::path(session_.CurrentFile()).filename().string());
        return;
    }
    ReadCamFile(session_.CurrentFile());
}

}  // namespace vx
