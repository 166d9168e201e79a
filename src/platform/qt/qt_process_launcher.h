// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "platform/process_launcher.h"

namespace vx {

// Starts the game detached and without arguments in the given working folder. A
// Windows executable (a file beginning "MZ") is handed to wine, found on PATH.
// Without a desktop the game could not show itself, so nothing is started.
class QtProcessLauncher : public ProcessLauncher {
  public:
    explicit QtProcessLauncher(bool desktopAvailable) : desktopAvailable_(desktopAvailable) {}
    LaunchResult Launch(const std::string& path, const std::string& workingFolder) override;

    static bool IsWindowsExecutable(const std::string& path);

  private:
    bool desktopAvailable_;
};

}  // namespace vx
