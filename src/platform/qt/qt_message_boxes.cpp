// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "platform/qt/qt_message_boxes.h"

#include <QMessageBox>
#include <QString>

namespace vx {

namespace {
QMessageBox::Icon ToQtIcon(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Exclamation:
            return QMessageBox::Warning;
        case BoxIcon::Information:
            return QMessageBox::Information;
        case BoxIcon::Critical:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}
}  // namespace

BoxAnswer QtMessageBoxes::Show(const std::string& title, const std::string& text, BoxIcon icon,
                               BoxButtons buttons, BoxAnswer preselected) {
    QMessageBox box(ToQtIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Ok, parent_);
    if (buttons == BoxButtons::OkCancel) {
        box.addButton(QMessageBox::Cancel);
        // Escape and the frame's close mean Cancel, never OK.
        box.setEscapeButton(QMessageBox::Cancel);
    }
    box.setDefaultButton(buttons == BoxButtons::OkCancel && preselected == BoxAnswer::Cancel
                             ? QMessageBox::Cancel
                             : QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    if (buttons == BoxButtons::Ok) return BoxAnswer::Ok;
    return box.clickedButton() == box.button(QMessageBox::Ok) ? BoxAnswer::Ok : BoxAnswer::Cancel;
}

}  // namespace vx
