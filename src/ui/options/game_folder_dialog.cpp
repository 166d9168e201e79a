// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/options/game_folder_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMetaObject>
#include <QPushButton>
#include <QStorageInfo>
#include <QStringDecoder>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "settings/config_file.h"
#include "ui/options/game_folder_list.h"
#include "ui/options/options_geometry.h"
#include "ui/widgets/text_fit.h"
#include "ui/widgets/twips.h"
#include "ui/widgets/window_fit.h"

namespace vx {

namespace {

constexpr int kPathRole = Qt::UserRole;

// Kernel views of processes and devices are no place for a game.
bool IsSystemView(const QString& root) {
    for (const char* prefix : {"/proc", "/sys", "/dev", "/run"}) {
        const QString p = QString::fromLatin1(prefix);
        if (root == p || root.startsWith(p + '/')) return true;
    }
    return false;
}

bool IsInside(const std::string& folder, const std::string& root) {
    if (root == "/") return folder.starts_with('/');
    return folder == root || folder.starts_with(root + '/');
}

// A list lays its items out as wide as its widest text, so the style elides
// nothing and the view cuts the text off at its edge: the item is drawn no wider
// than the view, and the style elides the text to that.
class EndingAtTheViewport : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (const auto* view = qobject_cast<const QAbstractItemView*>(option->widget)) {
            option->rect.setRight(std::min(option->rect.right(), view->viewport()->width() - 1));
        }
    }
};

// Qt's own file names are text; the chooser keeps the bytes the system gave.
std::string Bytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

QString DisplayPath(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return text;
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void RunGameFolderDialog(QWidget* parent, Settings& working) {
    GameFolderDialog chooser(working, parent);
    chooser.exec();
}

GameFolderDialog::GameFolderDialog(Settings& working, QWidget* parent)
    : QDialog(parent), working_(working) {
    setObjectName("frmGPLPath");
    setWindowTitle("Vistolarex: Where is GPL?");
    setModal(true);
    QWidget* canvas = MakeScrollingCanvas(*this);

    auto* left = new QVBoxLayout;
    left->setSpacing(3);
    auto* lblDrive = new QLabel("&Drives:", canvas);
    lblDrive->setObjectName("lblDrive");
    drvDrive_ = new QComboBox(canvas);
    lblDrive->setBuddy(drvDrive_);
    drvDrive_->setAccessibleName("Drives");
    drvDrive_->setObjectName("drvDrive");
    drvDrive_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    drvDrive_->setMinimumContentsLength(8);
    auto* lblHint = new QLabel(
        "Vistolarex needs the path to the file \"gpl.exe\". Click \"Cancel\" if GPL is not "
        "installed on this machine.",
        canvas);
    lblHint->setObjectName("lblHint");
    lblHint->setWordWrap(true);
    cmdOK_ = new QPushButton("&OK", canvas);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setAutoDefault(false);
    cmdOK_->setEnabled(false);
    auto* cmdCancel = new QPushButton("&Cancel", canvas);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setAutoDefault(false);
    left->addWidget(lblDrive);
    left->addWidget(drvDrive_);
    left->addWidget(lblHint, 1);
    left->addWidget(cmdOK_);
    left->addWidget(cmdCancel);

    auto* right = new QVBoxLayout;
    right->setSpacing(3);
    auto* lblFolder = new QLabel("&Folders:", canvas);
    lblFolder->setObjectName("lblFolder");
    dirFolder_ = new QListWidget(canvas);
    dirFolder_->setObjectName("dirFolder");
    lblFolder->setBuddy(dirFolder_);
    dirFolder_->setAccessibleName("Folders");
    // Items as wide as the list, so that a long name is elided and not cut off.
    dirFolder_->setTextElideMode(Qt::ElideMiddle);
    dirFolder_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    dirFolder_->setItemDelegate(new EndingAtTheViewport(dirFolder_));
    right->addWidget(lblFolder);
    right->addWidget(dirFolder_, 1);

    auto* columns = new QHBoxLayout(canvas);
    columns->setContentsMargins(6, 6, 6, 6);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &GameFolderDialog::reject);
    connect(drvDrive_, &QComboBox::activated, this, [this](int index) { ChangeDrive(index); });
    connect(dirFolder_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { OnFolderActivated(item); });

    // The lists start at the configured folder when there is one; nothing is checked
    // before the user opens a folder.
    std::string start = NormalFolderPath(working_.GPLFolder);
    if (start.empty()) start = Bytes(QDir::homePath());
    openFolder_ = NormalFolderPath(start);
    FillDrives();
    SelectDriveFor(openFolder_);
    FillFolders();
    // Laid out for an 8-point font: a larger one draws the dialog larger in proportion.
    const Twips grown(logicalDpiX() * FontGrowth(*this));
    canvas->setFixedSize(QSize(grown(4470), grown(2775)).expandedTo(canvas->minimumSizeHint()));
    FitWindowToScreen(*this, canvas->size());
    CentreOnScreen(*this);
}

bool GameFolderDialog::OpenFolder(const std::string& path) {
    const std::string folder = NormalFolderPath(path);
    if (folder.empty()) return false;
    openFolder_ = folder;
    FillFolders();
    working_.GPLFolder = folder;
    folderValid_ = CheckGameFolder(working_.GPLFolder);
    cmdOK_->setEnabled(folderValid_);
    return true;
}

bool GameFolderDialog::ChangeDrive(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= driveRoots_.size()) return false;
    // A drive that cannot be opened leaves both lists where they were.
    if (!OpenFolder(driveRoots_[static_cast<std::size_t>(index)])) {
        SelectDriveFor(openFolder_);
        return false;
    }
    return true;
}

void GameFolderDialog::reject() {
    working_.GPLFolder = kNoGameFolder;
    QDialog::reject();
}

void GameFolderDialog::FillDrives() {
    driveRoots_.clear();
    drvDrive_->clear();
    auto add = [this](const QString& root) {
        const std::string bytes = Bytes(root);
        for (const std::string& known : driveRoots_) {
            if (known == bytes) return;
        }
        driveRoots_.push_back(bytes);
        drvDrive_->addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), root);
    };
    add(QDir::homePath());
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) continue;
        const QString root = volume.rootPath();
        if (IsSystemView(root)) continue;
        add(root);
    }
}

void GameFolderDialog::SelectDriveFor(const std::string& folder) {
    int best = -1;
    std::size_t bestLength = 0;
    for (std::size_t i = 0; i < driveRoots_.size(); ++i) {
        const std::string& root = driveRoots_[i];
        if (IsInside(folder, root) && (best < 0 || root.size() > bestLength)) {
            best = static_cast<int>(i);
            bestLength = root.size();
        }
    }
    drvDrive_->setCurrentIndex(best);
}

void GameFolderDialog::FillFolders() {
    dirFolder_->clear();
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    for (const FolderListEntry& entry : FolderListEntries(openFolder_)) {
        auto* item = new QListWidgetItem(entry.isAncestor ? open : closed,
                                         QString(entry.depth * 2, ' ') + DisplayPath(entry.name),
                                         dirFolder_);
        item->setData(kPathRole, QByteArray::fromStdString(entry.path));
        item->setToolTip(DisplayPath(entry.path));
        if (entry.isOpen) dirFolder_->setCurrentItem(item);
    }
}

void GameFolderDialog::OnFolderActivated(QListWidgetItem* item) {
    if (!item) return;
    // Rebuilding the list deletes the item, which the list still uses while it
    // reports the activation: open the folder once the report is over.
    const std::string path = item->data(kPathRole).toByteArray().toStdString();
    QMetaObject::invokeMethod(
        this, [this, path] { OpenFolder(path); }, Qt::QueuedConnection);
}

}  // namespace vx
