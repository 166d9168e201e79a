#pragma once

#include <string>

#include "remote/process_launcher.h"

namespace vx {

// Starts the game detached and without arguments in the given working folder. A
// Windows executable (a file beginning "MZ") is handed to wine, found on PATH.
// Without a desktop the game could not show itself, so nothing is started.
class GameLauncher : public ProcessLauncher {
  public:
    explicit GameLauncher(bool desktopAvailable) : desktopAvailable_(desktopAvailable) {}
    LaunchResult Launch(const std::string& path, const std::string& workingFolder) override;

    static bool IsWindowsExecutable(const std::string& path);

  private:
    bool desktopAvailable_;
};

}  // namespace vx
