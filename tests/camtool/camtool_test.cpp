// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "camtool/run_camtool.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <bit>
#include <random>
#include <sstream>

#include "document/cam_writer.h"
#include "settings/settings.h"
#include "support/cam_file_builder.h"
#include "support/process_runner.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

using testing::ProcessRun;
using testing::ScratchFolder;

using Args = std::vector<std::string>;
ProcessRun Camtool(const Args& arguments, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = camtool::RunCamtool(arguments, in, out, err);
    return {status, out.str(), err.str()};
}
std::string Text(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// Outcomes on good, spoilt, cut, missing and foreign files; reports come from the formats
// library, so here only that they arrive on the right stream.
TEST(Camtool, CommandsAnswerWithTheirStatusOutputAndOneErrorLineAndHelpOrUsage) {
    ScratchFolder folder;
    testing::CamFileParts parts;
    parts.header = {1, 2, 3, 84, 0, 0, 0, 0, 0, 0, 0, 0};
    parts.tv1 = {{0x42C80000}, {0x43960000}};  // 100 m, 300 m
    parts.tv2 = {{0x42480000}};                // 50 m
    parts.tv2CountTail = {0, 0, 9};
    parts.SetMatchingSizeField();
    const std::string clean = folder.WriteFile("clean.cam", Text(parts.Bytes()));
    const std::string cut = folder.WriteFile("cut.cam", Text(parts.Content()).substr(0, 235));
    parts.tv1[1][0] = 0x42480000;  // 50 m, before camera 1
    parts.SetSizeField(1000);
    parts.trailing = {7, 7, 7};
    const std::string spoilt = folder.WriteFile("spoilt.cam", Text(parts.Bytes()));
    const std::string missing = folder.Path("missing.cam"), out = folder.Path("out.cam"),
                      noFolder = folder.Path("none/out.cam"), e = "camtool: ";
    const std::string info =
        "\nlength: 243 bytes (the counts call for 240)\nheader: 1 2 3 84 0 0 0 0 232 3 0 0\nsize "
        "field: 1000 (does not match the counts, which call for 228)\nTV1 count: 2 (count bytes 2 "
        "0 0 0)\nTV2 count: 1 (count bytes 1 0 0 9)\n";
    const std::tuple<Args, int, std::string, std::string> cases[] = {
        {{"info", spoilt}, 0, "file: " + spoilt + info, ""},
        {{"info", "-"}, 1, "", e + "not a track-camera file: standard input\n"},
        {{"info", cut}, 1, "", e + "truncated track-camera file: " + cut + "\n"},
        {{"copy", "", out}, 1, "", e + "no file specified\n"},
        {{"copy", clean, noFolder}, 1, "", e + "folder not found: " + noFolder + "\n"},
        {{"check", DEMO_CAM_PATH}, 0, "", ""},
        {{"check", spoilt}, 1, "File: 3 bytes", ""},
        {{"check", missing}, 2, "", e + "file not found: " + missing + "\n"},
        {{"diff", clean, clean}, 0, "", ""},
        {{"diff", clean, spoilt}, 1, "3 in B\n", ""},
        {{"diff", "-", "-"}, 2, "", e + "diff: standard input can be only one of A and B\n"},
        {{"dump", clean, "--csv", "--json"}, 2, "", e + "usage: camtool dump"},
        {{"import", spoilt, out}, 1, "", e + "line 1: "}};
    const auto has = [](const std::string& got, const std::string& want) {
        return want.empty() ? got.empty() : got.find(want) != std::string::npos;
    };
    for (const auto& [arguments, status, expectedOut, expectedErr] : cases) {
        const ProcessRun run = Camtool(arguments);
        EXPECT_EQ(run.status, status) << arguments[0] << " " << arguments.back();
        EXPECT_TRUE(has(run.out, expectedOut)) << run.out;
        EXPECT_TRUE(has(run.err, expectedErr) && run.err.find('\n') + 1 == run.err.size())
            << run.err;
    }
    // --help anywhere; missing or extra operands and unknown options get the usage line.
    for (const std::string usage :
         {"info FILE", "copy IN OUT", "new OUT", "demo OUT",
          "check FILE [--lap METRES|--coverage] [--far METRES]", "dump FILE [--json|--csv]",
          "import CSV OUT", "diff A B",
          "coverage FILE [--lap METRES] [--set tv1|tv2] [--far METRES] [--csv|--json]",
          "move IN OUT --set tv1|tv2 [--cameras FROM-TO] (--by METRES|--scale FACTOR) "
          "[--keep-switch-points]"}) {
        const std::string command = usage.substr(0, usage.find(' '));
        Args words(4, folder.Path("a"));  // one operand too many for every command
        words[0] = command;
        const ProcessRun extra = Camtool(words);
        EXPECT_EQ(std::pair(extra.status, extra.err),
                  std::pair(2, "camtool: usage: camtool " + usage + "\n"));
        EXPECT_EQ(Camtool({command}).err, extra.err);
        EXPECT_EQ(Camtool({command, "--force", "a"}).err,
                  "camtool: " + command + ": unknown option --force\n");
        words.push_back("-h");
        const ProcessRun help = Camtool(words);
        EXPECT_TRUE(help.status == 0 && help.out.starts_with("usage: camtool " + usage + "\n"))
            << help.out;
    }
    EXPECT_EQ(folder.Entries().size(), 3u) << "a failed command writes nothing";
    EXPECT_NE(Camtool({"dump", "--help"}).out.find("C locale"), std::string::npos);
}

// Coverage rows and findings, check with a lap, and moves, refused or done (their outcome read
// back through coverage). Findings and moves are the editing layer's; here their arrival.
TEST(Camtool, CoverageCheckAndMoveOutcomes) {
    ScratchFolder folder;
    testing::CamFileParts parts;
    for (const auto& [position, changeOver] :
         {std::pair{100.0f, -50.0f}, {300.0f, -50.0f}, {600.0f, 100.0f}}) {
        parts.tv1.push_back({std::bit_cast<std::uint32_t>(position), 0, 0,
                             std::bit_cast<std::uint32_t>(changeOver)});
    }
    parts.tv2 = {{std::bit_cast<std::uint32_t>(40.0f)}};
    parts.SetMatchingSizeField();
    const std::string cam = folder.WriteFile("in.cam", Text(parts.Bytes())), e = "camtool: ";
    const std::string move = e + "move: ", coverage = e + "coverage: ";
    const std::string held = " change-over point -10040 m held at -10000 m\n";
    const std::tuple<Args, int, std::string, std::string> cases[] = {
        {{"coverage", cam, "--csv"},
         0,
         "TV1,2,300,250,250,700,450,\nTV1,3,600,700,700,850,150,\nTV2,1,40,40,40,840,800,\n",
         ""},
        {{"coverage", cam, "--set", "tv1", "--lap", "500"},
         0,
         "  3      600        700        700        550        -150       never live: camera 1 "
         "takes over at 550 m, not after its switch point at 700 m; switch point 700 m lies "
         "beyond the lap length 500 m\n",
         ""},
        {{"coverage", cam, "--json", "--set", "TV2"},
         0,
         "[\n  {\"set\": \"TV2\", \"camera\": 1, \"position\": 40, \"switch_point\": 40, "
         "\"live_from\": 40, \"live_to\": 840, \"length\": 800, \"findings\": \"\"}\n]\n",
         ""},
        {{"coverage", cam, "--lap", "0"},
         2,
         "",
         coverage + "--lap takes a number above 0, not \"0\"\n"},
        {{"check", cam}, 0, "", ""},
        {{"check", cam, "--coverage"}, 0, "", ""},
        {{"check", cam, "--lap", "900", "--far", "90"},
         1,
         "TV1 camera 3: stands 100 m outside its live stretch (limit 90 m)\n",
         ""},
        {{"check", "-", "--lap", "500"}, 1, "TV1 camera 3: never live", ""},
        {{"check", cam, "--far", "5"}, 2, "", e + "check: --far needs --lap or --coverage\n"},
        {{"move", cam, "-", "--set", "tv1", "--by", "-100"}, 0, "TV1,1,0,-50,", ""},
        {{"move", cam, "-", "--set", "tv1", "--by", "9990", "--keep-switch-points"},
         0,
         "TV1,1,10090,90,",
         e + "TV1 camera 1:" + held + e + "TV1 camera 2:" + held},
        {{"move", cam, "-", "--set", "tv1", "--cameras", "2-3", "--by", "-250"},
         1,
         "",
         e + "TV1 camera 2 would come before camera 1. Nothing was moved.\n"},
        {{"move", cam, "-", "--set", "tv1", "--by", "1", "--scale", "2"},
         2,
         "",
         move + "one of --by METRES and --scale FACTOR is needed\n"},
        {{"move", cam, "-", "--by", "1"}, 2, "", move + "--set tv1|tv2 is needed\n"}};
    for (const auto& [arguments, status, expectedOut, expectedErr] : cases) {
        ProcessRun run = Camtool(arguments, Text(parts.Bytes()));
        if (arguments[0] == "move" && run.status == 0) {
            run.out = Camtool({"coverage", "-", "--csv"}, run.out).out;
        }
        EXPECT_EQ(run.status, status) << arguments[0] << " " << arguments.back();
        EXPECT_NE(run.out.find(expectedOut), std::string::npos) << run.out;
        EXPECT_TRUE(expectedOut.empty() == run.out.empty()) << run.out;
        EXPECT_EQ(run.err.find(expectedErr), 0u) << run.err;
        EXPECT_TRUE(expectedErr.empty() == run.err.empty()) << run.err;
    }
}

// The formats library's round trip through files and streams; new writes the default track.
TEST(Camtool, FilesTravelByteForByte) {
    ScratchFolder folder;
    std::mt19937 random(99);
    const testing::CamFileParts parts = testing::RandomCamFile(random);
    const std::string cam = folder.WriteFile("in.cam", Text(parts.Bytes()));
    ASSERT_EQ(Camtool({"copy", cam, folder.Path("copy.cam")}).status, 0);
    EXPECT_EQ(testing::ReadBytes(folder.Path("copy.cam")), parts.Content());
    const std::string csv = Camtool({"dump", "--csv", cam}).out;
    EXPECT_EQ(Camtool({"dump", "-", "--csv"}, Text(parts.Bytes())).out, csv);
    EXPECT_EQ(Camtool({"import", "-", "-"}, csv).out, Text(parts.Content()));
    const std::string out = folder.WriteFile("out.cam", "old");
    EXPECT_EQ(Camtool({"import", "-", out}, "set,camera\n").status, 1);
    EXPECT_EQ(Text(testing::ReadBytes(out)), "old") << "a refused import keeps the file";
    ASSERT_EQ(Camtool({"new", folder.Path("new.cam")}).status, 0);
    CamDocument expected;
    NewDocument(expected);
    ApplyNewCameraDefaults(expected, FactoryCameraDefaults());
    EXPECT_EQ(testing::ReadBytes(folder.Path("new.cam")), SerializeCamDocument(expected));
}

// The executable: exit codes, streams, and a write over the file-size limit reported, not fatal.
TEST(CamtoolExecutable, ExitCodesStreamsAndAFailedWrite) {
    EXPECT_EQ(testing::RunProcess(CAMTOOL_PATH, {}).status, 2);
    const std::string demo = Text(testing::ReadBytes(DEMO_CAM_PATH));
    EXPECT_EQ(testing::RunProcess(CAMTOOL_PATH, {"demo", "-"}).out, demo);
    EXPECT_EQ(testing::RunProcess(CAMTOOL_PATH, {"copy", "-", "-"}, demo).out, demo);
    ScratchFolder folder;
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const rlimit small{100, saved.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const ProcessRun tooLarge = testing::RunProcess(CAMTOOL_PATH, {"new", folder.Path("new.cam")});
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(std::pair(tooLarge.status, tooLarge.err),
              std::pair(1, "camtool: cannot write " + folder.Path("new.cam") +
                               ": File too large - 27\n"));
    EXPECT_EQ(folder.Entries(), std::set<std::string>{});
}

}  // namespace
}  // namespace vx
