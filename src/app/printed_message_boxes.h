// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <ostream>

#include "platform/message_box.h"

namespace vx {

// Message boxes for a run without a person: each box is written to the stream as
// "title: text" on one line (line breaks as blanks) and answered OK, or with its
// default button.
class PrintedMessageBoxes : public MessageBoxes {
  public:
    explicit PrintedMessageBoxes(std::ostream& out) : out_(out) {}

    BoxAnswer Show(const std::string& title, const std::string& text, BoxIcon icon,
                   BoxButtons buttons, BoxAnswer preselected) override;
    int Choose(const std::string& title, const std::string& text, BoxIcon icon,
               const std::vector<std::string>& buttons, int defaultButton,
               int escapeButton) override;

  private:
    void Print(const std::string& title, const std::string& text);

    std::ostream& out_;
};

}  // namespace vx
