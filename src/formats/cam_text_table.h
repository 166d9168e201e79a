// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "document/cam_document.h"

namespace vx {

// The document as a table to read: header and count bytes, then every camera of
// TV1, TV2 and the pitlane camera, one line per field with its number, label,
// quantity (as FormatQuantity writes it) and raw pattern in hex.
std::string CamDocumentTextTable(const CamDocument& doc);

// Text followed by spaces up to `width` characters (UTF-8 counted by character), and
// at least one.
std::string Padded(const std::string& text, std::size_t width);

}  // namespace vx
