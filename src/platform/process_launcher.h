// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>

namespace vx {

struct LaunchResult {
    enum class Outcome { Started, Failed, WineMissing };
    Outcome outcome = Outcome::Failed;
    std::int64_t pid = 0;
    bool Started() const { return outcome == Outcome::Started; }
};

// Starts a program without arguments in the given working folder, without waiting
// for it. WineMissing: a Windows program on a desktop without wine.
class ProcessLauncher {
  public:
    virtual ~ProcessLauncher() = default;
    virtual LaunchResult Launch(const std::string& path, const std::string& workingFolder) = 0;
};

// A started program and every process it started in turn, also those left behind
// when their parent ended: a game under wine spreads over several.
class ProcessFamily {
  public:
    virtual ~ProcessFamily() = default;
    // Follows the family of `pid` from now on, forgetting the one before.
    virtual void Follow(std::int64_t pid) = 0;
    virtual bool Contains(std::int64_t pid) = 0;
    // True while one of them still runs.
    virtual bool Running() = 0;
};

}  // namespace vx
