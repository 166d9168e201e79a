#pragma once

#include <string>

#include "platform/process_launcher.h"

namespace vx {

// Starts the game detached, without arguments, in the editor's working folder. A
// Windows executable (a file beginning "MZ") is handed to wine. Without a desktop
// the game could not show itself, so nothing is started.
class QtProcessLauncher : public ProcessLauncher {
  public:
    explicit QtProcessLauncher(bool desktopAvailable) : desktopAvailable_(desktopAvailable) {}
    bool Launch(const std::string& path) override;

    static bool IsWindowsExecutable(const std::string& path);

  private:
    bool desktopAvailable_;
};

}  // namespace vx
