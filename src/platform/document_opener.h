// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

namespace vx {

// Hands a document (the online manual) to the desktop's default handler; the
// result is ignored, as a missing manual is not reported.
class DocumentOpener {
  public:
    virtual ~DocumentOpener() = default;
    virtual void Open(const std::string& path) = 0;
};

}  // namespace vx
