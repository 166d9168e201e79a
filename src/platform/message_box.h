// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <vector>

namespace vx {

enum class BoxIcon { Exclamation, Information, Critical };
enum class BoxButtons { Ok, OkCancel };
enum class BoxAnswer { Ok, Cancel };

// Modal message boxes; the window tests answer them from a script.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Return answers `preselected`: a question whose OK would destroy someone's work
    // preselects Cancel. The default is given here only, so it cannot differ by type.
    virtual BoxAnswer Show(const std::string& title, const std::string& text, BoxIcon icon,
                           BoxButtons buttons, BoxAnswer preselected = BoxAnswer::Ok) = 0;
    // A question with buttons of its own, named by what each does. Returns the
    // index of the button chosen; Return chooses defaultButton, Escape and the
    // frame's close escapeButton; with escapeButton -1 only a button ends the box.
    virtual int Choose(const std::string& title, const std::string& text, BoxIcon icon,
                       const std::vector<std::string>& buttons, int defaultButton,
                       int escapeButton) = 0;
};

}  // namespace vx
