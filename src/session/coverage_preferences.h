// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <utility>

#include "session/state_folder.h"

namespace vx {

// The user's coverage choices, kept in the state folder and never in the configuration:
// a lap length per file and one far limit. A document without a file keeps its lap
// length in memory until it is saved under a name. Damaged or missing entries read as
// not given.
class CoveragePreferences {
  public:
    explicit CoveragePreferences(StateFolder folder = StateFolder());

    // The lap length the user gave for file ("" for the document without a file).
    std::optional<double> LapLength(const std::string& file) const;
    // nullopt goes back to the estimate.
    WriteResult SetLapLength(const std::string& file, std::optional<double> metres);
    // The document of file `from` ("" for none) was saved as `to`: its lap length goes
    // with it, unless `to` has one of its own.
    WriteResult FollowSave(const std::string& from, const std::string& to);
    // A new document without a file starts without a lap length.
    void ForgetUnnamed() { unnamed_.reset(); }

    double FarLimit() const;
    WriteResult SetFarLimit(double metres);

  private:
    StateFolder folder_;
    PerFileValues laps_;
    std::optional<double> unnamed_;
    // The strips ask on every rebuild: the last file's answer and the far limit are
    // kept rather than read again.
    mutable std::optional<std::pair<std::string, std::optional<double>>> lastLap_;
    mutable std::optional<double> far_;
};

}  // namespace vx
