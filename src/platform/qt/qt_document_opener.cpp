// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "platform/qt/qt_document_opener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace vx {

void QtDocumentOpener::Open(const std::string& path) {
    // A missing manual or a desktop without a handler is not reported.
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

}  // namespace vx
