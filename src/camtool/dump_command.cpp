// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <memory>

#include "camtool/commands.h"
#include "camtool/tool_files.h"
#include "formats/cam_csv_file.h"
#include "formats/cam_json.h"
#include "formats/cam_text_table.h"

namespace vx::camtool {

int RunDump(const std::vector<std::string>& operands, std::istream& in, std::ostream& out,
            std::ostream& err) {
    enum class Format { Table, Csv, Json } format = Format::Table;
    int formats = 0;
    std::string file;
    for (const std::string& word : operands) {
        if (word == "--csv" || word == "--json") {
            format = word == "--csv" ? Format::Csv : Format::Json;
            ++formats;
        } else {
            file = word;
        }
    }
    if (formats > 1) {
        err << "camtool: usage: camtool dump FILE [--json|--csv]\n";
        return kExitUsage;
    }
    auto doc = std::make_unique<CamDocument>();
    if (!LoadOrReport(file, in, *doc, err)) return kExitFailure;
    switch (format) {
        case Format::Csv:
            out << CamDocumentCsv(*doc);
            break;
        case Format::Json:
            out << CamDocumentJson(*doc);
            break;
        case Format::Table:
            out << CamDocumentTextTable(*doc);
            break;
    }
    return kExitOk;
}

}  // namespace vx::camtool
