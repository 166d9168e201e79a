// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "document/cam_document.h"

namespace vx {

// A whole camera file as CSV text (C locale), in this order:
//
//   #header,4D,41,43,54,00,00,00,00,AC,00,00,00   the 12 header bytes in hex
//   #count,TV1,01,00,00,00                         the 4 TV1 count bytes
//   #count,TV2,01,00,00,00                         the 4 TV2 count bytes
//   set,camera,f0,f0_hex,...,f13,f13_hex           the column names
//   TV1,1,...                                      one row per camera (cam_csv.h)
//   TV2,1,...
//   PIT,1,...
//
// On import the rows decide the counts: count byte 0 becomes the number of rows of
// the set, bytes 1 to 3 come from the #count line. The header is taken as carried,
// size field included, as long as every set has as many rows as its carried count
// byte 0 says; when a count differs, or a #header or #count line is missing, the size
// field is computed from the counts, as the editor does after inserting or removing.
// TV rows are numbered 1, 2, ... within their set; exactly one PIT row is needed;
// blank lines are skipped.
std::string CamDocumentCsv(const CamDocument& doc);

struct CsvImport {
    bool ok = false;
    std::unique_ptr<CamDocument> doc;  // when ok
    int line = 0;                      // when refused; 0 for the text as a whole
    int column = 0;                    // 0 when the fault is a whole line
    std::string reason;

    // "line L, column C: reason", "line L: reason" or the bare reason.
    std::string Message() const;
};

CsvImport ImportCamCsv(std::string_view text);

}  // namespace vx
