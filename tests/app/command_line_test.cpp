// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "app/command_line.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

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

// Without a named display or platform Qt would abort; an empty variable names none.
TEST(CommandLine, ADisplayOrAPlatformMustBeNamed) {
    static std::map<std::string, std::string> env;
    const auto get = [](const char* name) -> const char* {
        const auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    };
    const std::tuple<std::map<std::string, std::string>, std::vector<const char*>, bool> cases[] = {
        {{}, {}, false},
        {{{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}, {"x.cam"}, false},
        {{{"DISPLAY", ":0"}}, {}, true},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, {}, true},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, {}, true},
        {{}, {"-platform", "offscreen"}, true},
        {{}, {"--platform=offscreen", "x.cam"}, true},
        {{}, {"-platform"}, false},
        {{}, {"--", "-platform", "offscreen"}, false}};
    for (auto [variables, args, named] : cases) {
        env = variables;
        args.insert(args.begin(), "vistolarex");
        EXPECT_EQ(DisplayNamed(static_cast<int>(args.size()), args.data(), get), named)
            << variables.size() << " " << args.size();
    }
}

}  // namespace
}  // namespace vx
