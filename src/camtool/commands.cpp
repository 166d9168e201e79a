// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "camtool/commands.h"

#include "camtool/command_help.h"

namespace vx::camtool {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"info",
         "FILE",
         1,
         {},
         "show the header, the counts and the length of a track-camera file",
         InfoHelp,
         RunInfo},
        {"copy",
         "IN OUT",
         2,
         {},
         "read IN and write it to OUT as the editor saves it",
         CopyHelp,
         RunCopy},
        {"new",
         "OUT",
         1,
         {},
         "write the editor's start-up document with the factory camera values",
         NewHelp,
         RunNew},
        {"demo",
         "OUT",
         1,
         {},
         "write a demo track with fixed and moving cameras",
         DemoHelp,
         RunDemo},
        {"dump",
         "FILE [--json|--csv]",
         1,
         {"--json", "--csv"},
         "write every camera's fields as quantities and hex patterns",
         DumpHelp,
         RunDump},
        {"import",
         "CSV OUT",
         2,
         {},
         "build OUT from a CSV written by dump --csv",
         ImportHelp,
         RunImport},
        {"check", "FILE", 1, {}, "report what a track maker should look at", CheckHelp, RunCheck},
        {"diff", "A B", 2, {}, "list the fields and cameras that differ", DiffHelp, RunDiff},
    };
    return commands;
}

}  // namespace vx::camtool
