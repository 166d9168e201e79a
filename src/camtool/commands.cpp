#include "camtool/commands.h"

namespace vx::camtool {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"info", "FILE", 1, "show the header, the counts and the length of a track-camera file",
         RunInfo},
        {"copy", "IN OUT", 2, "read IN and write it to OUT as the editor saves it", RunCopy},
        {"new", "OUT", 1, "write the editor's start-up document with the factory camera values",
         RunNew},
        {"demo", "OUT", 1, "write a demo track with fixed and moving cameras", RunDemo},
        {"dump", "FILE [--json|--csv]", kOwnOperands,
         "write every camera's fields as quantities and hex patterns", RunDump},
        {"import", "CSV OUT", kOwnOperands, "build OUT from a CSV written by dump --csv",
         RunImport},
        {"check", "FILE", kOwnOperands, "report what a track maker should look at", RunCheck},
        {"diff", "A B", kOwnOperands, "list the fields and cameras that differ", RunDiff},
    };
    return commands;
}

}  // namespace vx::camtool
