#include "camtool/cam_input.h"
#include "camtool/command_help.h"
#include "camtool/commands.h"
#include "camtool/tool_files.h"
#include "formats/cam_csv_file.h"

namespace vx::camtool {

int RunImport(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err) {
    if (AsksForHelp(operands)) {
        out << ImportHelp();
        return kExitOk;
    }
    if (operands.size() != 2) {
        err << "camtool: usage: camtool import CSV OUT\n";
        return kExitUsage;
    }
    std::string text;
    std::string error;
    if (!ReadTextFile(operands[0], text, error)) {
        err << "camtool: " << error << "\n";
        return kExitFailure;
    }
    CsvImport imported = ImportCamCsv(text);
    if (!imported.ok) {
        err << "camtool: " << imported.Message() << "\n";
        return kExitFailure;
    }
    if (!SaveOrReport(operands[1], *imported.doc, err)) return kExitFailure;
    return kExitOk;
}

}  // namespace vx::camtool
