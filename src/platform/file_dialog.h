// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>

namespace vx {

// The shared open/save dialog. It keeps an initial folder and file name between
// uses, as the one dialog of the editor does; nullopt means the user cancelled.
class FileDialog {
  public:
    virtual ~FileDialog() = default;
    virtual std::optional<std::string> AskOpen() = 0;
    virtual std::optional<std::string> AskSave() = 0;
    virtual void SetInitialFolder(const std::string& folder) = 0;
    virtual std::string InitialFolder() const = 0;
    virtual void SetFileName(const std::string& name) = 0;
};

inline constexpr const char* kFileDialogTitle = "Vistolarex: Load&Save";
inline constexpr const char* kFileDialogFilter =
    "GPL-camera-files (*.cam)|*.cam|All Files (*.*)|*.*";

}  // namespace vx
