// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace vx {
namespace {

CommandLine Parse(std::vector<const char*> args) {
    args.insert(args.begin(), "vistolarex");
    return ParseCommandLine(static_cast<int>(args.size()), args.data());
}

// Options come first; everything else, joined, is the one file to load.
TEST(CommandLine, OptionsFirstAndEverythingElseIsTheFileToLoad) {
    using A = CommandLine::Action;
    const std::tuple<std::vector<const char*>, A, const char*> cases[] = {
        {{}, A::Run, ""},
        {{"track.cam"}, A::Run, "track.cam"},
        {{"my", "track.cam"}, A::Run, "my track.cam"},
        {{"track.cam", "--help"}, A::Run, "track.cam --help"},
        {{"-"}, A::Run, "-"},
        {{"--help"}, A::Help, ""},
        {{"-h"}, A::Help, ""},
        {{"--version"}, A::Version, ""},
        {{"--print-manual-path"}, A::PrintManualPath, ""},
        {{"--print-manual-path", "x"}, A::Unknown, "--print-manual-path"},
        {{"--", "--help"}, A::Run, "--help"},
        {{"--", "-odd", "name.cam"}, A::Run, "-odd name.cam"},
        {{"--"}, A::Run, ""},
        {{"-x.cam"}, A::Unknown, "-x.cam"},
        {{"--hlep"}, A::Unknown, "--hlep"}};
    for (const auto& [args, action, text] : cases) {
        const CommandLine line = Parse(args);
        EXPECT_TRUE(line.action == action && line.text == text) << args.size() << " " << line.text;
    }
}

}  // namespace
}  // namespace vx
