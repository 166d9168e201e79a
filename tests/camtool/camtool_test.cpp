// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <random>

#include "camtool_fixtures.h"
#include "document/cam_writer.h"
#include "settings/settings.h"

namespace vx {
namespace {

using testing::RunCamtoolProcess;
using testing::ScratchFolder;

TEST(CamtoolCopy, RandomValidFilesComeOutByteForByte) {
    ScratchFolder folder;
    std::mt19937 random(20261206);
    const std::string in = folder.Path("in.cam");
    const std::string out = folder.Path("out.cam");
    for (int round = 0; round < 120; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const testing::CamFileParts parts = testing::RandomCamFile(random);
        testing::WriteBytes(in, parts.Bytes());
        // Every other round writes over the previous, usually longer or shorter, copy.
        if (round % 2 == 0) std::filesystem::remove(out);

        const testing::ToolRun run = RunCamtoolProcess({"copy", in, out});

        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        ASSERT_EQ(testing::ReadBytes(out), parts.Content());
    }
    EXPECT_EQ(folder.Entries(), (std::set<std::string>{"in.cam", "out.cam"}));
}

TEST(CamtoolErrors, FailuresExitNonZeroWithOneLineNamingTheOutcome) {
    ScratchFolder folder;
    testing::CamFileParts parts;
    parts.tv1.resize(2);
    const std::vector<std::uint8_t> valid = parts.Bytes();
    const std::string good = folder.Path("good.cam");
    testing::WriteBytes(good, valid);
    std::vector<std::uint8_t> bad = valid;
    bad[3] = 'X';
    const std::string notCam = folder.Path("readme.txt");
    testing::WriteBytes(notCam, bad);
    const std::string cut = folder.Path("cut.cam");
    testing::WriteBytes(cut, std::vector<std::uint8_t>(valid.begin(), valid.end() - 1));
    const std::string missing = folder.Path("missing.cam");
    const std::string out = folder.Path("out.cam");

    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {{"copy", notCam, out}, 1, "camtool: not a track-camera file: " + notCam + "\n"},
        {{"info", notCam}, 1, "camtool: not a track-camera file: " + notCam + "\n"},
        {{"copy", cut, out}, 1, "camtool: truncated track-camera file: " + cut + "\n"},
        {{"info", cut}, 1, "camtool: truncated track-camera file: " + cut + "\n"},
        {{"copy", missing, out}, 1, "camtool: file not found: " + missing + "\n"},
        {{"info", missing}, 1, "camtool: file not found: " + missing + "\n"},
        {{"copy", "", out}, 1, "camtool: no file specified\n"},
        {{"copy", good, folder.Path("none/out.cam")},
         1,
         "camtool: folder not found: " + folder.Path("none/out.cam") + "\n"},
    };
    for (const Case& c : cases) {
        const testing::ToolRun run = RunCamtoolProcess(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.err;
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
    }
    // Over the file-size limit the write fails and says so instead of a signal
    // ending the tool; the limit is lowered for the child only while it starts.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const testing::ToolRun tooLarge = RunCamtoolProcess({"copy", good, out});
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(tooLarge.status, 1);
    EXPECT_EQ(tooLarge.err, "camtool: cannot write " + out + ": File too large - 27\n");
    // A failed copy creates nothing.
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(folder.Entries(), (std::set<std::string>{"good.cam", "readme.txt", "cut.cam"}));

    const testing::ToolRun unknown = RunCamtoolProcess({"frobnicate"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err.rfind("camtool: unknown command: frobnicate\nusage: camtool", 0), 0u);
    const testing::ToolRun bare = RunCamtoolProcess({});
    EXPECT_EQ(bare.status, 2);
    EXPECT_EQ(bare.err.rfind("usage: camtool COMMAND", 0), 0u);
    const testing::ToolRun help = RunCamtoolProcess({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    for (const char* command : {"info FILE", "copy IN OUT", "new OUT", "demo OUT"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    }
}

// Each subcommand, its usage line and words enough for one operand too many.
TEST(CamtoolDispatcher, HelpAndUsageErrorsWriteNothing) {
    struct Case {
        std::string command;
        std::string usage;
        std::vector<std::string> tooMany;
    };
    const Case cases[] = {
        {"info", "info FILE", {"a.cam", "b.cam"}},
        {"copy", "copy IN OUT", {"a.cam", "b.cam", "c.cam"}},
        {"new", "new OUT", {"a.cam", "b.cam"}},
        {"demo", "demo OUT", {"a.cam", "b.cam"}},
        {"dump", "dump FILE [--json|--csv]", {"a.cam", "b.cam", "--csv"}},
        {"import", "import CSV OUT", {"a.csv", "b.cam", "c.cam"}},
        {"check", "check FILE", {"a.cam", "b.cam"}},
        {"diff", "diff A B", {"a.cam", "b.cam", "c.cam"}},
    };
    ScratchFolder folder;
    auto runIn = [&folder](const std::vector<std::string>& arguments) {
        const testing::ToolRun run = RunCamtoolProcess(arguments, "", folder.Root());
        EXPECT_EQ(folder.Entries(), std::set<std::string>{}) << arguments[0];
        return run;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        for (const char* help : {"--help", "-h"}) {
            const testing::ToolRun run = runIn({c.command, help});
            EXPECT_EQ(run.status, 0);
            EXPECT_TRUE(run.out.starts_with("usage: camtool " + c.usage + "\n")) << run.out;
            EXPECT_EQ(run.err, "");
        }
        // Help wins wherever it stands, even after operands that would be written.
        std::vector<std::string> withHelp = c.tooMany;
        withHelp.insert(withHelp.begin(), c.command);
        withHelp.push_back("--help");
        EXPECT_EQ(runIn(withHelp).status, 0);

        const std::string usageLine = "camtool: usage: camtool " + c.usage + "\n";
        std::vector<std::string> tooMany = withHelp;
        tooMany.pop_back();
        for (const auto& arguments : {std::vector<std::string>{c.command}, tooMany}) {
            const testing::ToolRun run = runIn(arguments);
            EXPECT_EQ(run.status, 2);
            EXPECT_EQ(run.err, usageLine);
            EXPECT_EQ(run.out, "");
        }
        const testing::ToolRun unknown = runIn({c.command, "--force", "a.cam"});
        EXPECT_EQ(unknown.status, 2);
        EXPECT_EQ(unknown.err, "camtool: " + c.command + ": unknown option --force\n");
    }
}

// "-" as the one stream a subcommand reads or writes; a file named "-" is never made.
TEST(CamtoolStreams, DashReadsStandardInputAndWritesStandardOutput) {
    ScratchFolder folder;
    std::mt19937 random(1206);
    testing::CamFileParts parts = testing::RandomCamFile(random);
    parts.trailing = {1, 2, 3};
    const std::vector<std::uint8_t> withTrail = parts.Bytes();
    const std::vector<std::uint8_t> content = parts.Content();
    const std::string cam = folder.Path("in.cam");
    testing::WriteBytes(cam, withTrail);
    const std::string camText(withTrail.begin(), withTrail.end());
    const std::string saved(content.begin(), content.end());
    const std::string csv = RunCamtoolProcess({"dump", cam, "--csv"}).out;
    const std::string csvPath = folder.Path("in.csv");
    testing::WriteText(csvPath, csv);

    EXPECT_EQ(RunCamtoolProcess({"copy", cam, "-"}, "", folder.Root()).out, saved);
    EXPECT_EQ(RunCamtoolProcess({"copy", "-", "-"}, camText, folder.Root()).out, saved);
    EXPECT_EQ(RunCamtoolProcess({"import", csvPath, "-"}, "", folder.Root()).out, saved);
    EXPECT_EQ(RunCamtoolProcess({"dump", "-", "--csv"}, camText).out, csv);
    // Standard input's length is known once read: the trailing bytes show.
    EXPECT_EQ(RunCamtoolProcess({"check", "-"}, camText).out,
              RunCamtoolProcess({"check", cam}).out);
    const std::string info = RunCamtoolProcess({"info", "-"}, camText).out;
    EXPECT_EQ(info, "file: standard input" +
                        RunCamtoolProcess({"info", cam}).out.substr(("file: " + cam).size()));
    EXPECT_EQ(RunCamtoolProcess({"diff", "-", cam}, camText).status, 0);
    EXPECT_EQ(RunCamtoolProcess({"diff", "-", "-"}, camText).status, 2);

    const std::string out = folder.Path("out.cam");
    ASSERT_EQ(RunCamtoolProcess({"import", "-", out}, csv).status, 0);
    EXPECT_EQ(testing::ReadBytes(out), content);
    const testing::ToolRun notCam = RunCamtoolProcess({"info", "-"}, "no camera file");
    EXPECT_EQ(notCam.status, 1);
    EXPECT_EQ(notCam.err, "camtool: not a track-camera file: standard input\n");
    EXPECT_EQ(folder.Entries(), (std::set<std::string>{"in.cam", "in.csv", "out.cam"}));
}

TEST(CamtoolNew, WritesTheStartUpDocumentWithTheFactoryCamera) {
    ScratchFolder folder;
    const std::string out = folder.Path("new.cam");
    ASSERT_EQ(RunCamtoolProcess({"new", out}).status, 0);

    CamDocument expected;
    NewDocument(expected);
    ApplyNewCameraDefaults(expected, FactoryCameraDefaults());
    const std::vector<std::uint8_t> bytes = testing::ReadBytes(out);
    ASSERT_EQ(bytes.size(), 184u);
    EXPECT_EQ(bytes, SerializeCamDocument(expected));
    // Camera 1 of TV1: height 2 m, fixed (integer 1), opening angle pattern 3FC90FDB.
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 24, bytes.begin() + 36),
              (std::vector<std::uint8_t>{0, 0, 0, 0x40, 0, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 60, bytes.begin() + 64),
              (std::vector<std::uint8_t>{0xDB, 0x0F, 0xC9, 0x3F}));
}

TEST(CamtoolInfo, ShowsHeaderCountsAndWhetherTheSizeFieldFits) {
    ScratchFolder folder;
    testing::CamFileParts parts;
    parts.header = {1, 2, 3, 84, 0, 0, 0, 0, 0, 0, 0, 0};
    parts.tv1.resize(3);
    parts.tv2CountTail = {0, 0, 9};
    parts.SetSizeField(1000);
    parts.trailing = {7, 7, 7};
    const std::string path = folder.Path("odd.cam");
    testing::WriteBytes(path, parts.Bytes());

    testing::ToolRun run = RunCamtoolProcess({"info", path});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "file: " + path +
                           "\n"
                           "length: 243 bytes (the counts call for 240)\n"
                           "header: 1 2 3 84 0 0 0 0 232 3 0 0\n"
                           "size field: 1000 (does not match the counts, which call for 228)\n"
                           "TV1 count: 3 (count bytes 3 0 0 0)\n"
                           "TV2 count: 0 (count bytes 0 0 0 9)\n");

    parts.SetMatchingSizeField();
    testing::WriteBytes(path, parts.Bytes());
    run = RunCamtoolProcess({"info", path});
    EXPECT_NE(run.out.find("size field: 228 (matches the counts)\n"), std::string::npos);
}

}  // namespace
}  // namespace vx
