// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <memory>

#include "camtool/commands.h"
#include "camtool/option_values.h"
#include "camtool/tool_files.h"
#include "formats/coverage_report.h"

namespace vx::camtool {

int RunCoverage(const CommandWords& words, std::istream& in, std::ostream& out, std::ostream& err) {
    std::optional<double> lap, far;
    std::optional<SetId> set;
    std::string mistake;
    if (words.Has("--csv") && words.Has("--json")) {
        mistake = "--csv and --json exclude each other";
    } else if (NumberOption(words, "--lap", NumberBound::AboveZero, lap, mistake) &&
               NumberOption(words, "--far", NumberBound::NotBelowZero, far, mistake)) {
        SetOption(words, set, mistake);
    }
    if (!mistake.empty()) {
        err << "camtool: coverage: " << mistake << "\n";
        return kExitUsage;
    }
    auto doc = std::make_unique<CamDocument>();
    if (!LoadOrReport(words.operands[0], in, *doc, err)) return kExitFailure;
    // The editor's stored lap lengths are its own: here the lap is given or estimated.
    const LapLength length = lap ? LapLength{*lap, false} : EstimatedLapLength(*doc);
    std::vector<SetCoverage> sets;
    for (SetId id : {SetId::TV1, SetId::TV2}) {
        if (!set || *set == id) {
            sets.push_back(CoverageOf(*doc, id, length, far.value_or(kDefaultFarLimit)));
        }
    }
    if (words.Has("--csv")) {
        out << CoverageCsv(sets);
    } else if (words.Has("--json")) {
        out << CoverageJson(sets);
    } else {
        out << CoverageTextTable(sets);
    }
    return kExitOk;
}

}  // namespace vx::camtool
