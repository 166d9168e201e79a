// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

namespace vx {

enum class SentKey { Escape, Return };

// Sends one keystroke to the focused window and returns once it has been processed.
class KeySender {
  public:
    virtual ~KeySender() = default;
    virtual void Send(SentKey key) = 0;
};

}  // namespace vx
