// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QDialog>
#include <QString>
#include <string>
#include <vector>

#include "settings/settings.h"

class QComboBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace vx {

// A path or name as the user reads it. File names are bytes: one that is not
// UTF-8 (a game copied from an old Latin-1 disk) is shown as Latin-1 rather than
// with replacement marks.
QString DisplayPath(const std::string& bytes);

// The game-folder chooser (object name "frmGPLPath"), modally; its result is left in
// working.GPLFolder: the last folder opened on OK, "GPL not installed" on Cancel or any other
// closing.
void RunGameFolderDialog(QWidget* parent, Settings& working);

class GameFolderDialog : public QDialog {
    Q_OBJECT

  public:
    explicit GameFolderDialog(Settings& working, QWidget* parent = nullptr);

    // What opening a folder in the list does: the list moves there, GPLFolder becomes
    // that folder and OK is enabled exactly when its gpl.exe can be read. A path that
    // is no folder changes nothing and gives false. The path is taken as bytes.
    bool OpenFolder(const std::string& path);
    bool OpenFolder(const QString& path) { return OpenFolder(path.toStdString()); }
    bool OpenFolder(const char* path) { return OpenFolder(std::string(path)); }
    // The drive list's choice: the folder list moves to that starting point.
    bool ChangeDrive(int index);

    QString OpenFolderPath() const { return QString::fromStdString(openFolder_); }
    bool FolderValid() const { return folderValid_; }

  public slots:
    // Cancel and closing by the frame alike declare the game not installed.
    void reject() override;

  private:
    void FillDrives();
    void FillFolders();
    void SelectDriveFor(const std::string& folder);
    void OnFolderActivated(QListWidgetItem* item);

    Settings& working_;
    std::string openFolder_;
    bool folderValid_ = false;
    std::vector<std::string> driveRoots_;
    QComboBox* drvDrive_ = nullptr;
    QListWidget* dirFolder_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
};

}  // namespace vx
