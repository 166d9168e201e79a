// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include "platform/document_opener.h"

namespace vx {

// Hands a local file to the desktop's default handler for its type.
class QtDocumentOpener : public DocumentOpener {
  public:
    void Open(const std::string& path) override;
};

}  // namespace vx
