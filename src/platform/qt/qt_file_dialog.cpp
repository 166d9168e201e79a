#include "platform/qt/qt_file_dialog.h"

#include <QFileDialog>
#include <QStringList>

namespace vx {

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
    QFileDialog dialog(parent_, QString::fromUtf8(kFileDialogTitle),
                       QString::fromStdString(folder_));
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
    return chosen.first().toStdString();
}

}  // namespace vx
