// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <string>

namespace vx {

// Tells when something may have happened to one file: written in place, replaced
// by a rename (as most editors and sync tools save), removed or created again.
// It only hints; whether the file really changed is the stamp's to say.
class FileWatch : public QObject {
    Q_OBJECT
  public:
    explicit FileWatch(QObject* parent = nullptr);
    // An empty path watches nothing.
    void Watch(const std::string& path);

  signals:
    void touched();

  private:
    void Rewatch();

    QFileSystemWatcher watcher_;
    QString path_;
};

}  // namespace vx
