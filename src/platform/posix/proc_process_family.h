// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <map>

#include "platform/process_launcher.h"

namespace vx {

// A process family as /proc shows it. Each look adds the processes whose parent
// is a member, and those of the first member's session, which keeps the ones
// whose parent ended before a look (they are handed to init); a pid counts as
// the same process only while its start time is the one seen.
class ProcProcessFamily : public ProcessFamily {
  public:
    void Follow(std::int64_t pid) override;
    bool Contains(std::int64_t pid) override;
    bool Running() override;

  private:
    void Look();

    std::int64_t root_ = 0;
    std::int64_t session_ = 0;
    // pid -> start time in clock ticks since boot
    std::map<std::int64_t, std::uint64_t> members_;
};

}  // namespace vx
