// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

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
};

}  // namespace vx
