// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "camtool/run_camtool.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <random>
#include <sstream>

#include "document/cam_reader.h"
#include "document/cam_writer.h"
#include "settings/settings.h"
#include "support/cam_file_builder.h"
#include "support/process_runner.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

using testing::ProcessRun;
using testing::ScratchFolder;

ProcessRun Camtool(const std::vector<std::string>& arguments, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = camtool::RunCamtool(arguments, in, out, err);
    return {status, out.str(), err.str()};
}
std::string Text(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// Every subcommand's outcomes on good, spoilt, cut, missing and foreign files.
TEST(Camtool, CommandsAnswerWithTheirStatusOutputAndOneErrorLine) {
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
    const std::string notCam = folder.WriteFile("notes.txt", "hello, this is no camera file\n");
    const std::string missing = folder.Path("missing.cam"), out = folder.Path("out.cam");
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string out, err;
    } cases[] = {
        {{"info", spoilt},
         0,
         "file: " + spoilt +
             "\nlength: 243 bytes (the counts call for 240)\nheader: 1 2 3 84 0 0 0 0 232 3 0 0\n"
             "size field: 1000 (does not match the counts, which call for 228)\nTV1 count: 2 "
             "(count bytes 2 0 0 0)\nTV2 count: 1 (count bytes 1 0 0 9)\n",
         ""},
        {{"info", "-"}, 1, "", "camtool: not a track-camera file: standard input\n"},
        {{"info", cut}, 1, "", "camtool: truncated track-camera file: " + cut + "\n"},
        {{"copy", missing, out}, 1, "", "camtool: file not found: " + missing + "\n"},
        {{"copy", "", out}, 1, "", "camtool: no file specified\n"},
        {{"copy", clean, folder.Path("none/out.cam")},
         1,
         "",
         "camtool: folder not found: " + folder.Path("none/out.cam") + "\n"},
        {{"check", clean}, 0, "", ""},
        {{"check", spoilt}, 1, "File: 3 bytes after the pitlane record", ""},  // and the findings
        {{"check", missing}, 2, "", "camtool: file not found: " + missing + "\n"},
        {{"diff", clean, clean}, 0, "", ""},
        {{"diff", clean, spoilt}, 1, "Bytes after the pitlane record: 0 in A, 3 in B\n", ""},
        {{"diff", clean, notCam}, 2, "", "camtool: not a track-camera file: " + notCam + "\n"},
        {{"diff", "-", "-"}, 2, "", "camtool: diff: standard input can be only one of A and B\n"},
        {{"dump", clean, "--xml"}, 2, "", "camtool: dump: unknown option --xml\n"},
        {{"dump", clean, "--csv", "--json"},
         2,
         "",
         "camtool: usage: camtool dump FILE [--json|--csv]\n"},
        {{"import", notCam, out},
         1,
         "",
         "camtool: line 1: the column names line (set,camera,...) must come first\n"},
    };
    for (const auto& c : cases) {
        const ProcessRun run = Camtool(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments[0] << " " << c.arguments.back();
        // Reports come from the formats library; here only that they arrive whole.
        EXPECT_TRUE(c.out.empty() ? run.out.empty() : run.out.find(c.out) != std::string::npos)
            << run.out;
        EXPECT_EQ(run.err, c.err);
    }
    EXPECT_EQ(folder.Entries(),
              (std::set<std::string>{"clean.cam", "cut.cam", "spoilt.cam", "notes.txt"}));
}

// Each subcommand takes --help anywhere and refuses missing or extra operands and
// unknown options with its usage line, writing nothing.
TEST(Camtool, HelpAndUsageErrorsWriteNothing) {
    ScratchFolder folder;
    const std::pair<std::string, std::size_t> usages[] = {{"info FILE", 1},
                                                          {"copy IN OUT", 2},
                                                          {"new OUT", 1},
                                                          {"demo OUT", 1},
                                                          {"dump FILE [--json|--csv]", 1},
                                                          {"import CSV OUT", 2},
                                                          {"check FILE", 1},
                                                          {"diff A B", 2}};
    for (const auto& [usage, operands] : usages) {
        const std::string command = usage.substr(0, usage.find(' '));
        std::vector<std::string> words(operands + 2, folder.Path("a"));
        words[0] = command;
        EXPECT_EQ(Camtool(words).status, 2);
        EXPECT_EQ(Camtool(words).err, "camtool: usage: camtool " + usage + "\n");
        EXPECT_EQ(Camtool({command}).err, Camtool(words).err);
        EXPECT_EQ(Camtool({command, "--force", "a"}).err,
                  "camtool: " + command + ": unknown option --force\n");
        words.push_back("-h");
        const ProcessRun help = Camtool(words);
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(help.out.starts_with("usage: camtool " + usage + "\n")) << help.out;
    }
    EXPECT_EQ(folder.Entries(), std::set<std::string>{});
    EXPECT_NE(Camtool({"dump", "--help"}).out.find("C locale"), std::string::npos);
}

TEST(Camtool, CopyDumpAndImportCarryRandomFilesByteForByte) {
    ScratchFolder folder;
    std::mt19937 random(99);
    for (int round = 0; round < 25; ++round) {
        const testing::CamFileParts parts = testing::RandomCamFile(random);
        const std::string cam = folder.WriteFile("in.cam", Text(parts.Bytes()));
        ASSERT_EQ(Camtool({"copy", cam, folder.Path("copy.cam")}).status, 0);
        ASSERT_EQ(testing::ReadBytes(folder.Path("copy.cam")), parts.Content())
            << "round " << round;
        const std::string csv = Camtool(round % 2 ? std::vector<std::string>{"dump", "-", "--csv"}
                                                  : std::vector<std::string>{"dump", "--csv", cam},
                                        Text(parts.Bytes()))
                                    .out;
        const ProcessRun imported = Camtool({"import", "-", "-"}, csv);
        ASSERT_EQ(imported.status, 0) << imported.err;
        ASSERT_EQ(imported.out, Text(parts.Content())) << "round " << round;
    }
    // A refused import leaves an existing file as it was.
    const std::string out = folder.WriteFile("out.cam", "old");
    EXPECT_EQ(Camtool({"import", "-", out}, "set,camera\n").status, 1);
    EXPECT_EQ(Text(testing::ReadBytes(out)), "old");
}

TEST(Camtool, NewAndDemoWriteTheirTracks) {
    ScratchFolder folder;
    ASSERT_EQ(Camtool({"new", folder.Path("new.cam")}).status, 0);
    CamDocument expected;
    NewDocument(expected);
    ApplyNewCameraDefaults(expected, FactoryCameraDefaults());
    EXPECT_EQ(testing::ReadBytes(folder.Path("new.cam")), SerializeCamDocument(expected));
    // The demo file the build leaves is the tool's, and check finds every value editable
    // and the distances in order.
    ASSERT_EQ(Camtool({"demo", folder.Path("demo.cam")}).status, 0);
    EXPECT_EQ(testing::ReadBytes(folder.Path("demo.cam")), testing::ReadBytes(DEMO_CAM_PATH));
    const ProcessRun check = Camtool({"check", DEMO_CAM_PATH});
    EXPECT_EQ(check.status, 0) << check.out;
    CamDocument demo;
    ASSERT_EQ(ParseCamBytes(testing::ReadBytes(DEMO_CAM_PATH), demo), LoadOutcome::Success);
    for (const CameraSet* set : {&demo.TV1, &demo.TV2}) {
        int fixed = 0;
        for (int i = 1; i <= set->Count(); ++i) fixed += set->Camera(i).IsFixed() ? 1 : 0;
        EXPECT_GE(set->Count(), 4);
        EXPECT_TRUE(fixed > 0 && fixed < set->Count()) << "both kinds of camera are shown";
    }
}

// The executable itself: exit codes, the standard streams, and a write that fails on the
// file-size limit and says so rather than dying of the signal.
TEST(CamtoolExecutable, ExitCodesStreamsAndAFailedWrite) {
    EXPECT_EQ(testing::RunProcess(CAMTOOL_PATH, {}).status, 2);
    const ProcessRun help = testing::RunProcess(CAMTOOL_PATH, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("copy IN OUT"), std::string::npos);
    ScratchFolder folder;
    std::mt19937 random(1206);
    const testing::CamFileParts parts = testing::RandomCamFile(random);
    EXPECT_EQ(testing::RunProcess(CAMTOOL_PATH, {"copy", "-", "-"}, Text(parts.Bytes())).out,
              Text(parts.Content()));
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const ProcessRun tooLarge = testing::RunProcess(CAMTOOL_PATH, {"new", folder.Path("new.cam")});
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(tooLarge.status, 1);
    EXPECT_EQ(tooLarge.err,
              "camtool: cannot write " + folder.Path("new.cam") + ": File too large - 27\n");
    EXPECT_EQ(folder.Entries(), std::set<std::string>{});
}

}  // namespace
}  // namespace vx
