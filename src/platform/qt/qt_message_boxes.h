// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include "platform/message_box.h"

class QWidget;

namespace vx {

// Modal QMessageBox boxes over the given parent window (none: application modal).
class QtMessageBoxes : public MessageBoxes {
  public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    BoxAnswer Show(const std::string& title, const std::string& text, BoxIcon icon,
                   BoxButtons buttons, BoxAnswer preselected) override;
    int Choose(const std::string& title, const std::string& text, BoxIcon icon,
               const std::vector<std::string>& buttons, int defaultButton,
               int escapeButton) override;

  private:
    QWidget* parent_;
};

}  // namespace vx
