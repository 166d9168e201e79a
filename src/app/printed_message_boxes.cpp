// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "app/printed_message_boxes.h"

#include <string>

namespace vx {

void PrintedMessageBoxes::Print(const std::string& title, const std::string& text) {
    std::string line = title + ": ";
    for (char c : text) {
        if (c == '\r') continue;
        line += c == '\n' ? ' ' : c;
    }
    out_ << line << '\n' << std::flush;
}

BoxAnswer PrintedMessageBoxes::Show(const std::string& title, const std::string& text, BoxIcon,
                                    BoxButtons, BoxAnswer) {
    Print(title, text);
    return BoxAnswer::Ok;
}

int PrintedMessageBoxes::Choose(const std::string& title, const std::string& text, BoxIcon,
                                const std::vector<std::string>&, int defaultButton, int) {
    Print(title, text);
    return defaultButton;
}

}  // namespace vx
