// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "platform/qt/qt_message_boxes.h"

#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <algorithm>

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

int QtMessageBoxes::Choose(const std::string& title, const std::string& text, BoxIcon icon,
                           const std::vector<std::string>& buttons, int defaultButton,
                           int escapeButton) {
    QMessageBox box(ToQtIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::NoButton, parent_);
    box.setTextFormat(Qt::PlainText);
    std::vector<QPushButton*> added;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const int index = static_cast<int>(i);
        const auto role = index == escapeButton    ? QMessageBox::RejectRole
                          : index == defaultButton ? QMessageBox::AcceptRole
                                                   : QMessageBox::ActionRole;
        added.push_back(box.addButton(QString::fromStdString(buttons[i]), role));
    }
    if (defaultButton >= 0) box.setDefaultButton(added.at(defaultButton));
    // No reject role and no escape button: Escape and the frame do nothing, so a
    // question none of whose answers is harmless must be answered.
    if (escapeButton >= 0) box.setEscapeButton(added.at(escapeButton));
    box.exec();
    const auto chosen = std::find(added.begin(), added.end(), box.clickedButton());
    return chosen == added.end() ? escapeButton : static_cast<int>(chosen - added.begin());
}

}  // namespace vx
