// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace vx {
namespace {

TEST(CommandLine, OptionsFirstAndEverythingElseIsTheFileToLoad) {
    using A = CommandLine::Action;
    const std::tuple<std::vector<const char*>, A, const char*> cases[] = {
        {{}, A::Run, ""},
        {{"track.cam"}, A::Run, "track.cam"},
        {{"track.cam", "--help"}, A::Run, "track.cam --help"},
        {{"-"}, A::Run, "-"},
        {{"--help"}, A::Help, ""},
        {{"-h"}, A::Help, ""},
        {{"--version"}, A::Version, ""},
        {{"--print-manual-path"}, A::PrintManualPath, ""},
        {{"--print-manual-path", "x"}, A::Unknown, "--print-manual-path"},
        {{"--", "--help"}, A::Run, "--help"},
        {{"--", "-odd", "name.cam"}, A::Run, "-odd name.cam"},
        {{"-x.cam"}, A::Unknown, "-x.cam"},
        {{"--hlep"}, A::Unknown, "--hlep"}};
    for (auto [args, action, text] : cases) {
        args.insert(args.begin(), "vistolarex");
        const CommandLine line = ParseCommandLine(static_cast<int>(args.size()), args.data());
        EXPECT_TRUE(line.action == action && line.text == text)
            << (args.size() > 1 ? args[1] : "(none)") << ": " << line.text;
    }
}

}  // namespace
}  // namespace vx
