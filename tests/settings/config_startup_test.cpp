// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "document/faulty_file_layer.h"
#include "settings/config_file.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

using namespace std::filesystem;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;
using Kind = ConfigNotice::Kind;
using Notices = std::vector<std::pair<Kind, int>>;

// A record far from the factory values, so a reset is plain to see.
Settings Recorded(const std::string& gameFolder) {
    Settings s;
    s.GPLFolder = gameFolder;
    s.SafetyExit = false;
    s.PlayScript = true;
    s.ClickCount = 2;
    s.ClickX[1] = 100;
    return s;
}

std::string MakeGame(const std::string& folder) {
    std::filesystem::create_directories(folder);
    WriteBytes(folder + "/gpl.exe", {'M', 'Z'});
    return folder;
}

using Prepare = std::function<void(const std::string& program)>;

Prepare Cfg(const std::vector<std::uint8_t>& bytes) {
    return [bytes](const std::string& p) { WriteBytes(p + "/Vistolarex.cfg", bytes); };
}

Prepare Patched(std::size_t at, std::uint8_t value) {
    std::vector<std::uint8_t> bytes = SerializeSettings(Recorded(kNoGameFolder));
    bytes.at(at) = value;
    return Cfg(bytes);
}

// The record names a game folder below the program's folder, made ready by game.
Prepare Game(const std::string& name, void (*game)(const std::string& folder)) {
    return [name, game](const std::string& p) {
        game(p + "/" + name);
        std::vector<std::uint8_t> b = SerializeSettings(Recorded(p + "/" + name));
        b.push_back(0xAB);  // trailing bytes are neither read nor removed
        WriteBytes(p + "/Vistolarex.cfg", b);
    };
}

TEST(ConfigStartup, EachStartingPointGivesItsNoticesAndKeepsOrResetsTheFile) {
    const std::vector<std::uint8_t> good = SerializeSettings(Recorded(kNoGameFolder));
    const Notices corrupt{{Kind::Corrupt, 0}}, gone{{Kind::Corrupt, 0}, {Kind::Debug, 2}};
    const Notices aborted{{Kind::Corrupt, 0}, {Kind::Debug, 3}};
    const Notices noFolder{{Kind::Debug, 1}, {Kind::Debug, 3}};
    auto none = [](const std::string&) {};
    enum File { Reset, Kept, Other };
    const struct {
        const char* label;
        Prepare prepare;
        Notices notices;
        int step = 3;
        File file = Reset;
    } rows[] = {
        {"valid", Game("gpl", [](auto& f) { MakeGame(f); }), {}, 2, Kept},
        {"valid without game folder", Cfg(good), {}, 1, Kept},
        {"first start", none, corrupt},
        {"empty", Cfg({}), corrupt},
        {"one byte short", Cfg({good.begin(), good.end() - 1}), corrupt},
        {"length field not 44", Patched(0, 43), corrupt},
        {"signature letter", Patched(13, 'C'), corrupt},
        {"gpl.exe a folder", Game("gpl", [](auto& f) { create_directories(f + "/gpl.exe"); }),
         corrupt},
        {"gpl.exe a dangling link",
         Game("gpl", [](auto& f) { create_directory(f), create_symlink(f + "x", f + "/gpl.exe"); }),
         corrupt},
        {"game folder gone", Game("gone", [](auto&) {}), gone},
        {"file not writable, also for root",
         [](auto& p) { Patched(5, 'X')(p), ::chmod((p + "/Vistolarex.cfg").c_str(), 0444); },
         aborted, 3, Kept},
        // A FIFO with a silent writer (left open) is not waited on, nor replaced.
        {"FIFO",
         [](auto& p) {
             ::mkfifo((p + "/Vistolarex.cfg").c_str(), 0600),
                 ::open((p + "/Vistolarex.cfg").c_str(), O_RDWR | O_NONBLOCK);
         },
         aborted, 3, Other},
        {"folder in its place",
         [](auto& p) { create_directory(p + "/Vistolarex.cfg"); },
         {{Kind::Debug, 3}},
         3,
         Other},
        {"program folder missing", [](auto& p) { remove(p); }, noFolder, 3, Other},
        {"program folder a file", [](auto& p) { remove(p), WriteBytes(p, {1}); }, noFolder, 3,
         Other},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ScratchFolder dir;
        const std::string program = dir.Path("program");
        const std::string cfg = program + "/Vistolarex.cfg";
        std::filesystem::create_directory(program);
        row.prepare(program);
        const std::vector<std::uint8_t> before =
            std::filesystem::is_regular_file(cfg) ? ReadBytes(cfg) : std::vector<std::uint8_t>{};
        Settings s = Recorded("/elsewhere");
        const StartupConfig r = LoadConfigAtStartup(program, s);

        Notices notices;
        for (const ConfigNotice& n : r.notices) notices.emplace_back(n.kind, n.code);
        EXPECT_EQ(notices, row.notices);
        const bool debugLast = !notices.empty() && notices.back().first == Kind::Debug;
        EXPECT_EQ(r.startupAborted, debugLast && notices.back().second == 3);
        EXPECT_EQ(r.fehlermeldung, debugLast ? DebugMessageText(notices.back().second) : "");
        EXPECT_EQ(r.configStep, row.step);
        EXPECT_EQ(r.camPath, row.step == 2 ? program + "/gpl/tracks" : program);
        EXPECT_EQ(s, row.step == 3 ? Settings{}
                                   : Recorded(row.step == 2 ? program + "/gpl" : kNoGameFolder));
        if (row.file != Other) {
            EXPECT_EQ(ReadBytes(cfg), row.file == Kept ? before : SerializeSettings(Settings{}));
        }
    }
}

TEST(ConfigStartup, NoticesCarryTheirTexts) {
    ScratchFolder dir;
    WriteBytes(dir.Path("Vistolarex.cfg"), SerializeSettings(Recorded(dir.Path("gone"))));
    Settings s;
    const StartupConfig r = LoadConfigAtStartup(dir.Root(), s);
    ASSERT_EQ(r.notices.size(), 2u);
    EXPECT_EQ(r.notices[0].title, "Vistolarex: Error while initializing");
    EXPECT_EQ(r.notices[0].text,
              "Vistolarex.cfg seems to be corrupt or non-existant. All options will be set back "
              "to default.\r\nIf you're about to fire up Vistolarex for the first time, this is "
              "normal.\r\nFor further information see online manual.");
    EXPECT_EQ(r.notices[1].title, "Debug-Mode");
    EXPECT_EQ(r.notices[1].text, "An error occured during loading the configuration file. Code: 2");
    // A NUL in the stored folder must not cut the path down to a real gpl.exe.
    EXPECT_TRUE(CheckGameFolder(MakeGame(dir.Path("real"))));
    EXPECT_FALSE(CheckGameFolder(dir.Path("real") + "/gpl.exe" + std::string(1, '\0') + "x"));
}

// Each box is shown before the stale file is replaced; code 3 only after the
// write was tried, and the old file stays whole.
TEST(ConfigStartup, NoticesAreShownInTurnAroundTheRewrite) {
    ScratchFolder dir;
    const std::string path = dir.Path("Vistolarex.cfg");
    testing::FaultyFileLayer layer;
    std::vector<std::tuple<Kind, int, std::vector<std::uint8_t>, int>> moments;
    auto record = [&](const ConfigNotice& notice) {
        const bool exists = std::filesystem::exists(path);
        moments.emplace_back(notice.kind, notice.code,
                             exists ? ReadBytes(path) : std::vector<std::uint8_t>{}, layer.writes);
    };
    const std::vector<std::uint8_t> stale = SerializeSettings(Recorded(dir.Path("gone")));
    WriteBytes(path, stale);
    Settings s;
    LoadConfigAtStartup(dir.Root(), s, layer, record);
    using Moments = decltype(moments);
    EXPECT_EQ(moments, (Moments{{Kind::Corrupt, 0, stale, 0}, {Kind::Debug, 2, stale, 0}}));
    EXPECT_EQ(ReadBytes(path), SerializeSettings(Settings{}));

    WriteBytes(path, {1, 2, 3});
    layer.failWriteNumber = layer.writes + 1;
    const int before = layer.writes;
    moments.clear();
    const StartupConfig r = LoadConfigAtStartup(dir.Root(), s, layer, record);
    EXPECT_EQ(moments, (Moments{{Kind::Corrupt, 0, {1, 2, 3}, before},
                                {Kind::Debug, 3, {1, 2, 3}, before + 1}}));
    EXPECT_EQ(r.notices.size(), 2u) << "the notices are still collected";
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"Vistolarex.cfg"});
}

}  // namespace
}  // namespace vx
