// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "platform/qt/qt_file_dialog.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFileDialog>
#include <QStringList>

namespace vx {

namespace {

// Qt's file names are text, and it skips names that are not UTF-8 altogether (a
// game copied from an old Latin-1 disk). Such a folder is shown through a
// descriptor of it under /proc, a name Qt can hold; what is picked there is
// mapped back onto the folder's own bytes.
class FolderAlias {
  public:
    explicit FolderAlias(const std::string& folder) : folder_(folder) {
        if (QString::fromUtf8(folder.data(), static_cast<qsizetype>(folder.size())).toUtf8() ==
            QByteArray::fromStdString(folder)) {
            return;
        }
        fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ >= 0) alias_ = "/proc/self/fd/" + std::to_string(fd_);
    }
    ~FolderAlias() {
        if (fd_ >= 0) ::close(fd_);
    }
    FolderAlias(const FolderAlias&) = delete;
    FolderAlias& operator=(const FolderAlias&) = delete;

    QString Shown() const { return QString::fromStdString(alias_.empty() ? folder_ : alias_); }

    std::string Real(const QString& picked) const {
        std::string path = picked.toStdString();
        if (!alias_.empty() && path.starts_with(alias_ + "/")) {
            path = folder_ + path.substr(alias_.size());
        }
        return path;
    }

  private:
    std::string folder_;
    std::string alias_;
    int fd_ = -1;
};

}  // namespace

std::string QtNameFilters(const std::string& pipeFilter) {
    const QStringList parts = QString::fromStdString(pipeFilter).split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i];
        // Windows separates patterns with ';', Qt with blanks.
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
        if (description.contains(u'(' + patterns + u')')) {
            filters << description;
        } else {
            filters << description + QStringLiteral(" (") + patterns + u')';
        }
    }
    return filters.join(QStringLiteral(";;")).toStdString();
}

std::optional<std::string> QtFileDialog::AskOpen() { return Ask(false); }

std::optional<std::string> QtFileDialog::AskSave() { return Ask(true); }

std::optional<std::string> QtFileDialog::Ask(bool save) {
    const FolderAlias folder(folder_);
    QFileDialog dialog(parent_, QString::fromUtf8(kFileDialogTitle), folder.Shown());
    dialog.setNameFilter(QString::fromStdString(QtNameFilters(kFileDialogFilter)));
    dialog.setDefaultSuffix(QStringLiteral("cam"));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The save itself asks before overwriting, as its setting says.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!fileName_.empty()) dialog.selectFile(QString::fromStdString(fileName_));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::string();
    return folder.Real(chosen.first());
}

}  // namespace vx
