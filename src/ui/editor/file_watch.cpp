// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/editor/file_watch.h"

#include <QFileInfo>

namespace vx {

FileWatch::FileWatch(QObject* parent) : QObject(parent) {
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { Rewatch(); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { Rewatch(); });
}

void FileWatch::Watch(const std::string& path) {
    if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
    path_ = QString::fromStdString(path);
    if (path_.isEmpty()) return;
    // The folder too: a file replaced by a rename is a new file, which the watch on
    // the old one never hears of.
    watcher_.addPath(QFileInfo(path_).absolutePath());
    if (QFileInfo::exists(path_)) watcher_.addPath(path_);
}

void FileWatch::Rewatch() {
    if (!watcher_.files().contains(path_) && QFileInfo::exists(path_)) watcher_.addPath(path_);
    emit touched();
}

}  // namespace vx
