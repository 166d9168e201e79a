#pragma once

#include <string>

namespace vx {

// Starts a program without arguments and without waiting for it; false when no
// process came of it.
class ProcessLauncher {
  public:
    virtual ~ProcessLauncher() = default;
    virtual bool Launch(const std::string& path) = 0;
};

}  // namespace vx
