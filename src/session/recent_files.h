// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <vector>

#include "session/state_folder.h"

namespace vx {

// The files loaded or saved last, newest first, kept in the state folder so that
// every instance offers the same list.
class RecentFiles {
  public:
    static constexpr std::size_t kLimit = 10;

    explicit RecentFiles(StateFolder folder);

    // The listed files that still exist; a vanished one is dropped from the list.
    std::vector<std::string> Files() const;
    // Puts file first, once, by its canonical path.
    void Add(const std::string& file) const;

  private:
    std::vector<std::string> Stored() const;
    void Store(const std::vector<std::string>& files) const;

    StateFolder folder_;
};

}  // namespace vx
