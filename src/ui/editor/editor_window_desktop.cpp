// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QShortcut>

#include <QUrl>
#include <filesystem>
#include <optional>
#include <system_error>
#include "remote/game_remote.h"

#include "remote/game_remote.h"
#include "ui/editor/editor_window.h"
#include "ui/editor/manual_path.h"

namespace vx {

namespace {

// The first dropped URL that names a local file; folders and other URLs do not count.
std::optional<std::string> DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) return std::nullopt;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        // The name's own bytes: one that is not UTF-8 stays percent-encoded in the URL.
        const std::string path =
            QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
        std::error_code error;
        if (path.empty() || std::filesystem::is_directory(path, error)) continue;
        return path;
    }
    return std::nullopt;
}

}  // namespace

void EditorWindow::InstallDesktopConventions() {
    setAcceptDrops(true);
    // An entry box would take a dropped file as text; the drop belongs to the window.
    for (QLineEdit* line : findChildren<QLineEdit*>()) line->setAcceptDrops(false);

    auto* loadKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this);
    connect(loadKey, &QShortcut::activated, this, [this] {
        // The focus stays in the entry box, so its value is taken here as a click would.
        CommitFocusedEntry();
        OnLoadClicked();
    });
    auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(helpKey, &QShortcut::activated, this, [this] { OnHelpClicked(); });
    cancelRun_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    cancelRun_->setEnabled(false);
    connect(cancelRun_, &QShortcut::activated, this, [this] { platform_.remote.CancelRunning(); });
    auto* saveKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
    connect(saveKey, &QShortcut::activated, this, [this] {
        CommitFocusedEntry();
        OnSaveClicked();
    });
}

std::string EditorWindow::ManualPath() const { return FindManual(programFolder_); }

void EditorWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedFile(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void EditorWindow::dropEvent(QDropEvent* event) {
    const std::optional<std::string> file = DroppedFile(event->mimeData());
    if (!file) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // The drag source waits until the drop returns; the question and the load follow.
    QMetaObject::invokeMethod(
        this, [this, path = *file] { LoadDroppedFile(path); }, Qt::QueuedConnection);
}

void EditorWindow::LoadDroppedFile(const std::string& path) {
    CommitFocusedEntry();
    if (!ConfirmLoad()) return;
    LoadChosenFile(path);
}

}  // namespace vx
