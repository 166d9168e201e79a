// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "app/printed_message_boxes.h"

#include <string>

namespace vx {

BoxAnswer PrintedMessageBoxes::Show(const std::string& title, const std::string& text, BoxIcon,
                                    BoxButtons, BoxAnswer) {
    std::string line = title + ": ";
    for (char c : text) {
        if (c == '\r') continue;
        line += c == '\n' ? ' ' : c;
    }
    out_ << line << '\n' << std::flush;
    return BoxAnswer::Ok;
}

}  // namespace vx
