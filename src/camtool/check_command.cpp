// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <memory>
#include <optional>

#include "camtool/cam_input.h"
#include "camtool/commands.h"
#include "camtool/option_values.h"
#include "camtool/tool_files.h"
#include "formats/cam_check.h"
#include "formats/coverage_report.h"

namespace vx::camtool {

int RunCheck(const CommandWords& words, std::istream& in, std::ostream& out, std::ostream& err) {
    std::optional<double> lap, far;
    std::string mistake;
    if (words.Has("--coverage") && words.Value("--lap")) {
        mistake = "--lap and --coverage exclude each other";
    } else if (words.Value("--far") && !words.Has("--coverage") && !words.Value("--lap")) {
        mistake = "--far needs --lap or --coverage";
    } else if (NumberOption(words, "--lap", NumberBound::AboveZero, lap, mistake)) {
        NumberOption(words, "--far", NumberBound::NotBelowZero, far, mistake);
    }
    if (!mistake.empty()) {
        err << "camtool: check: " << mistake << "\n";
        return kExitUsage;
    }
    auto doc = std::make_unique<CamDocument>();
    std::optional<std::uint64_t> length;
    if (!LoadOrReport(words.operands[0], in, *doc, err, &length)) return kExitUnreadable;
    std::vector<std::string> findings = CheckCamDocument(*doc, TrailingBytes(length, *doc));
    if (lap || words.Has("--coverage")) {
        const LapLength laps = lap ? LapLength{*lap, false} : EstimatedLapLength(*doc);
        const double limit = far.value_or(kDefaultFarLimit);
        const std::vector<std::string> coverage = CoverageCheckFindings(
            {CoverageOf(*doc, SetId::TV1, laps, limit), CoverageOf(*doc, SetId::TV2, laps, limit)});
        findings.insert(findings.end(), coverage.begin(), coverage.end());
    }
    for (const std::string& finding : findings) out << finding << "\n";
    return findings.empty() ? kExitOk : kExitFailure;
}

}  // namespace vx::camtool
