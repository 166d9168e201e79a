// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// Whatever a spreadsheet hands back, the import refuses it with a position or takes
// it; what it takes must export and import again to the very same document.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "document/cam_writer.h"
#include "formats/cam_csv_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vx::CsvImport first = vx::ImportCamCsv(text);
    if (!first.ok) {
        if (first.doc || first.Message().empty() || first.line < 0 || first.column < 0) {
            std::abort();
        }
        return 0;
    }
    if (!first.doc) std::abort();
    const std::string exported = vx::CamDocumentCsv(*first.doc);
    const vx::CsvImport second = vx::ImportCamCsv(exported);
    if (!second.ok || !second.doc) std::abort();
    if (vx::SerializeCamDocument(*second.doc) != vx::SerializeCamDocument(*first.doc)) {
        std::abort();
    }
    if (vx::CamDocumentCsv(*second.doc) != exported) std::abort();
    return 0;
}
