// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "camtool_fixtures.h"

namespace vx {
namespace {

using testing::RunCamtoolProcess;
using testing::ScratchFolder;

testing::CamFileParts TwoSets() {
    testing::CamFileParts parts;
    parts.tv1.resize(2);
    parts.tv2.resize(1);
    parts.tv1[0][0] = 0x42C80000;  // 100 m
    parts.tv1[0][2] = 0x40A00000;  // 5 m high
    parts.tv1[1][0] = 0x43960000;  // 300 m
    parts.tv1[1][4] = 1;
    parts.tv1[1][12] = 0xFFC01234;  // a NaN the editor keeps
    parts.tv2[0][0] = 0x42480000;   // 50 m
    parts.pitlane[8] = 0xBE000000;  // -0.125
    parts.tv1CountTail = {0, 5, 0};
    parts.SetSizeField(4242);
    return parts;
}

TEST(CamtoolImport, ADumpedCsvImportsBackByteForByte) {
    ScratchFolder folder;
    std::mt19937 random(99);
    const std::string cam = folder.Path("in.cam");
    const std::string csv = folder.Path("in.csv");
    const std::string out = folder.Path("out.cam");
    for (int round = 0; round < 25; ++round) {
        const testing::CamFileParts parts = testing::RandomCamFile(random);
        testing::WriteBytes(cam, parts.Bytes());
        // The option may come before or after the file.
        const testing::ToolRun dump =
            RunCamtoolProcess(round % 2 ? std::vector<std::string>{"dump", cam, "--csv"}
                                        : std::vector<std::string>{"dump", "--csv", cam});
        ASSERT_EQ(dump.status, 0) << dump.err;
        testing::WriteText(csv, dump.out);
        const testing::ToolRun import = RunCamtoolProcess({"import", csv, out});
        ASSERT_EQ(import.status, 0) << import.err;
        ASSERT_EQ(testing::ReadBytes(out), parts.Content()) << "round " << round;
    }
}

TEST(CamtoolImport, ARefusedValueWritesNothingAndNamesLineAndColumn) {
    ScratchFolder folder;
    const std::string cam = folder.Path("in.cam");
    const std::string csv = folder.Path("edit.csv");
    const std::string out = folder.Path("out.cam");
    testing::WriteBytes(cam, TwoSets().Bytes());
    std::string height = RunCamtoolProcess({"dump", cam, "--csv"}).out;
    height.replace(height.find("TV1,1,100,42C80000,0,00000000,5,"), 32,
                   "TV1,1,100,42C80000,0,00000000,-1,");
    testing::WriteText(csv, height);
    testing::ToolRun run = RunCamtoolProcess({"import", csv, out});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "camtool: line 5, column 7: TV1 camera 1, Height from the ground [m]: -1 is outside "
              "the entry range 0 to 200\n");
    EXPECT_FALSE(std::filesystem::exists(out));

    // An existing file stays as it was.
    const std::vector<std::uint8_t> before{1, 2, 3};
    testing::WriteBytes(out, before);
    EXPECT_EQ(RunCamtoolProcess({"import", csv, out}).status, 1);
    EXPECT_EQ(testing::ReadBytes(out), before);
    EXPECT_EQ(folder.Entries(), (std::set<std::string>{"in.cam", "edit.csv", "out.cam"}));
}

TEST(CamtoolCheckAndDiff, ExitStatusTellsCleanFromFindingsFromUnreadable) {
    ScratchFolder folder;
    testing::CamFileParts parts = TwoSets();
    parts.SetMatchingSizeField();
    parts.tv1[1][12] = 0;
    const std::string clean = folder.Path("clean.cam");
    testing::WriteBytes(clean, parts.Bytes());
    parts.tv1[1][0] = 0x42480000;  // 50 m, before camera 1
    parts.tv2[0][1] = 0xC1200000;  // -10 m
    parts.trailing = {9, 9};
    const std::string spoilt = folder.Path("spoilt.cam");
    testing::WriteBytes(spoilt, parts.Bytes());
    std::vector<std::uint8_t> cutBytes = parts.Content();
    cutBytes.resize(cutBytes.size() - 4);
    const std::string cut = folder.Path("cut.cam");
    testing::WriteBytes(cut, cutBytes);
    const std::string missing = folder.Path("missing.cam");

    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string out;
    };
    const Case cases[] = {
        {{"check", clean}, 0, ""},
        {{"check", spoilt},
         1,
         "TV1 camera 2, Distance from s/f-line [m]: 50 lies before camera 1 at 100\n"
         "File: 2 bytes after the pitlane record, which the editor neither reads nor writes\n"},
        {{"check", missing}, 2, ""},
        {{"check", cut}, 2, ""},
        {{"diff", clean, clean}, 0, ""},
        {{"diff", clean, spoilt},
         1,
         "TV1 camera 2, Distance from s/f-line [m]: 300 (43960000) in A, 50 (42480000) in B\n"
         "TV2 camera 1, Distance from center-line of the track [m]: 0 (00000000) in A, -10 "
         "(C1200000) in B\n"
         "Bytes after the pitlane record: 0 in A, 2 in B\n"},
        {{"diff", clean, missing}, 2, ""},
    };
    for (const Case& c : cases) {
        const testing::ToolRun run = RunCamtoolProcess(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments[0] << " " << c.arguments.back();
        EXPECT_EQ(run.out, c.out);
    }
    EXPECT_NE(RunCamtoolProcess({"check", cut}).err.find("truncated"), std::string::npos);
}

TEST(CamtoolFormats, BadInputExitsNonZeroWithOneLineAndHelpIsThere) {
    ScratchFolder folder;
    const std::string notCam = folder.Path("notes.txt");
    testing::WriteText(notCam, "hello, this is no camera file at all\n");
    const std::string garbage = folder.Path("garbage.csv");
    testing::WriteBytes(garbage, {0xFF, 0x00, '"', ',', '\n', 0x01, '#', '\n'});
    const std::string cam = folder.Path("good.cam");
    testing::WriteBytes(cam, TwoSets().Bytes());

    const std::vector<std::vector<std::string>> failures = {
        {"dump", folder.Path("missing.cam")},
        {"dump", notCam},
        {"dump", folder.Path("")},
        {"dump", cam, "--xml"},
        {"dump", cam, "--csv", "--json"},
        {"import", garbage, folder.Path("out.cam")},
        {"import", notCam, folder.Path("out.cam")},
        {"import", folder.Path("missing.csv"), folder.Path("out.cam")},
        {"check", notCam},
        {"diff", cam, notCam},
    };
    for (const auto& arguments : failures) {
        const testing::ToolRun run = RunCamtoolProcess(arguments);
        EXPECT_GT(run.status, 0) << arguments[0] << " " << run.err;  // -1 would be a crash
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_TRUE(run.err.starts_with("camtool: ")) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.Path("out.cam")));

    EXPECT_NE(RunCamtoolProcess({"dump", "--help"}).out.find("C locale"), std::string::npos);
}

}  // namespace
}  // namespace vx
