// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

#include "document/cam_document.h"

namespace vx {

// The document as one JSON object:
//   {"header": [12 bytes], "sizeField": n,
//    "sets": [{"set": "TV1", "countBytes": [4 bytes], "cameras": [
//        {"camera": 1, "fields": [{"field": 0, "label": "...", "kind": "Length",
//                                  "value": 0, "raw": "00000000"}, ...]}, ...]}, ...],
//    "pitlane": {"fields": [...]}}
// "value" is the quantity of FormatQuantity as a JSON number; a NaN or infinite
// pattern, which JSON cannot hold as a number, gives the string "nan", "inf" or "-inf".
std::string CamDocumentJson(const CamDocument& doc);

// Text as a quoted JSON string, quotes, backslashes and control characters escaped.
std::string JsonString(std::string_view text);

}  // namespace vx
