// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <memory>

#include "camtool/commands.h"
#include "camtool/tool_files.h"
#include "formats/cam_csv_file.h"
#include "formats/cam_json.h"
#include "formats/cam_text_table.h"

namespace vx::camtool {

int RunDump(const CommandWords& words, std::istream& in, std::ostream& out, std::ostream& err) {
    if (words.Has("--csv") && words.Has("--json")) {
        err << "camtool: usage: camtool dump FILE [--json|--csv]\n";
        return kExitUsage;
    }
    const std::string& file = words.operands[0];
    auto doc = std::make_unique<CamDocument>();
    if (!LoadOrReport(file, in, *doc, err)) return kExitFailure;
    if (words.Has("--csv")) {
        out << CamDocumentCsv(*doc);
    } else if (words.Has("--json")) {
        out << CamDocumentJson(*doc);
    } else {
        out << CamDocumentTextTable(*doc);
    }
    return kExitOk;
}

}  // namespace vx::camtool
