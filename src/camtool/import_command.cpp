// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "camtool/cam_input.h"
#include "camtool/commands.h"
#include "camtool/tool_files.h"
#include "formats/cam_csv_file.h"

namespace vx::camtool {

int RunImport(const CommandWords& words, std::istream& in, std::ostream& out, std::ostream& err) {
    std::string text;
    std::string error;
    if (words.operands[0] == kStandardStream) {
        if (!ReadStream(in, kStreamLimit, text)) {
            err << "camtool: cannot read standard input, or it holds more than 16 MiB\n";
            return kExitFailure;
        }
    } else if (!ReadTextFile(words.operands[0], text, error)) {
        err << "camtool: " << error << "\n";
        return kExitFailure;
    }
    CsvImport imported = ImportCamCsv(text);
    if (!imported.ok) {
        err << "camtool: " << imported.Message() << "\n";
        return kExitFailure;
    }
    if (!SaveOrReport(words.operands[1], *imported.doc, out, err)) return kExitFailure;
    return kExitOk;
}

}  // namespace vx::camtool
