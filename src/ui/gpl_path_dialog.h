#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "settings/settings.h"

class QComboBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace vx {

// frmGPLPath, modally; its result is left in working.GPLFolder: the last folder
// opened on OK, "GPL not installed" on Cancel or any other closing.
void RunGplPathDialog(QWidget* parent, Settings& working);

class GplPathWindow : public QDialog {
    Q_OBJECT

  public:
    explicit GplPathWindow(Settings& working, QWidget* parent = nullptr);

    // What opening a folder in the list does: the list moves there, GPLFolder becomes
    // that folder and OK is enabled exactly when its gpl.exe can be read. A path that
    // is no folder changes nothing and gives false.
    bool OpenFolder(const QString& path);
    // The drive list's choice: the folder list moves to that starting point.
    bool ChangeDrive(int index);

    QString OpenFolderPath() const { return openFolder_; }
    bool FolderValid() const { return folderValid_; }

  public slots:
    // Cancel and closing by the frame alike declare the game not installed.
    void reject() override;

  private:
    void FillDrives();
    void FillFolders();
    void SelectDriveFor(const QString& folder);
    void dirFolder_Activated(QListWidgetItem* item);

    Settings& working_;
    QString openFolder_;
    bool folderValid_ = false;
    std::vector<QString> driveRoots_;
    QComboBox* drvDrive_ = nullptr;
    QListWidget* dirFolder_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
};

}  // namespace vx
