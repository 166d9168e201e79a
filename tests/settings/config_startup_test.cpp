// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "document/faulty_file_layer.h"
#include "settings/config_file.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

using namespace std::filesystem;
using testing::ReadBytes;
using testing::WriteBytes;
using Kind = ConfigNotice::Kind;
using Notices = std::vector<std::pair<Kind, int>>;
using Prepare = std::function<void(const std::string& program)>;

const char* const kCorruptText =
    "Vistolarex.cfg seems to be corrupt or non-existant. All options will be set back to "
    "default.\r\nIf you're about to fire up Vistolarex for the first time, this is normal.\r\n"
    "For further information see online manual.";

// A record far from the factory values, so a reset is plain to see.
Settings Recorded(const std::string& gameFolder) {
    Settings s;
    s.GPLFolder = gameFolder;
    s.SafetyExit = s.FixedSwitchOver = false;
    s.ClickX[1] = 100;
    return s;
}

Prepare Cfg(const std::vector<std::uint8_t>& bytes, mode_t mode = 0644) {
    return [bytes, mode](const std::string& p) {
        WriteBytes(p + "/Vistolarex.cfg", bytes);
        ::chmod((p + "/Vistolarex.cfg").c_str(), mode);
    };
}

std::vector<std::uint8_t> Patched(std::size_t at, std::uint8_t value) {
    std::vector<std::uint8_t> bytes = SerializeSettings(Recorded(kNoGameFolder));
    bytes.at(at) = value;
    return bytes;
}

// The record names the game folder program/name, which game prepares.
Prepare Game(const char* name, void (*game)(const std::string& folder)) {
    return [name, game](const std::string& p) {
        game(p + "/" + name);
        std::vector<std::uint8_t> b = SerializeSettings(Recorded(p + "/" + name));
        b.push_back(0xAB);  // trailing bytes are neither read nor removed
        WriteBytes(p + "/Vistolarex.cfg", b);
    };
}

void MakeGame(const std::string& folder) {
    create_directories(folder);
    WriteBytes(folder + "/gpl.exe", {'M', 'Z'});
}

// Held open by a writer that never writes (until the test ends): it must not be waited on.
void SilentFifo(const std::string& p) {
    ::mkfifo((p + "/Vistolarex.cfg").c_str(), 0600);
    ::open((p + "/Vistolarex.cfg").c_str(), O_RDWR | O_NONBLOCK);
}

TEST(ConfigStartup, EachStartingPointGivesItsNoticesAndKeepsOrResetsTheFile) {
    const std::vector<std::uint8_t> good = SerializeSettings(Recorded(kNoGameFolder));
    const Notices corrupt{{Kind::Corrupt, 0}}, gone{{Kind::Corrupt, 0}, {Kind::Debug, 2}};
    const Notices aborted{{Kind::Corrupt, 0}, {Kind::Debug, 3}}, unwritable{{Kind::Debug, 3}};
    const Notices noFolder{{Kind::Debug, 1}, {Kind::Debug, 3}};
    enum File { Reset, Kept, NotAFile };
    const struct {
        const char* label;
        Prepare prepare;
        Notices notices;
        int step = 3;
        File file = Reset;
    } rows[] = {
        {"valid", Game("gpl", MakeGame), {}, 2, Kept},
        {"valid without game folder", Cfg(good), {}, 1, Kept},
        {"first start", [](auto&) {}, corrupt},
        {"empty", Cfg({}), corrupt},
        {"one byte short", Cfg({good.begin(), good.end() - 1}), corrupt},
        {"length field not 44", Cfg(Patched(0, 43)), corrupt},
        {"signature letter", Cfg(Patched(13, 'C')), corrupt},
        {"gpl.exe a folder", Game("gpl", [](auto& f) { create_directories(f + "/gpl.exe"); }),
         corrupt},
        {"gpl.exe a dangling link",
         Game("gpl", [](auto& f) { create_directory(f), create_symlink(f + "x", f + "/gpl.exe"); }),
         corrupt},
        {"game folder gone", Game("gone", [](auto&) {}), gone},
        {"not writable, also for root", Cfg(Patched(5, 'X'), 0444), aborted, 3, Kept},
        {"FIFO", SilentFifo, aborted, 3, NotAFile},
        {"folder in its place", [](auto& p) { create_directory(p + "/Vistolarex.cfg"); },
         unwritable, 3, NotAFile},
        {"program folder missing", [](auto& p) { remove(p); }, noFolder, 3, NotAFile},
        {"program folder a file", [](auto& p) { remove(p), WriteBytes(p, {1}); }, noFolder, 3,
         NotAFile},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        testing::ScratchFolder dir;
        const std::string program = dir.Path("program");
        const std::string cfg = program + "/Vistolarex.cfg";
        create_directory(program);
        row.prepare(program);
        const std::vector<std::uint8_t> before =
            is_regular_file(cfg) ? ReadBytes(cfg) : std::vector<std::uint8_t>{};
        Settings s = Recorded("/elsewhere");
        const StartupConfig r = LoadConfigAtStartup(program, s);

        Notices notices;
        for (const ConfigNotice& n : r.notices) {
            notices.emplace_back(n.kind, n.code);
            const bool box = n.kind == Kind::Corrupt;
            EXPECT_EQ(n.title, box ? "Vistolarex: Error while initializing" : "Debug-Mode");
            EXPECT_EQ(n.text, box ? kCorruptText : DebugMessageText(n.code));
        }
        EXPECT_EQ(notices, row.notices);
        const bool debugLast = !notices.empty() && notices.back().first == Kind::Debug;
        EXPECT_EQ(r.startupAborted, debugLast && notices.back().second == 3);
        EXPECT_EQ(r.fehlermeldung, debugLast ? DebugMessageText(notices.back().second) : "");
        EXPECT_EQ(r.configStep, row.step);
        EXPECT_EQ(r.camPath, row.step == 2 ? program + "/gpl/tracks" : program);
        EXPECT_EQ(s, row.step == 3 ? Settings{}
                                   : Recorded(row.step == 2 ? program + "/gpl" : kNoGameFolder));
        if (row.file == NotAFile) {
            EXPECT_FALSE(is_regular_file(cfg)) << "nothing put in the way's place";
        } else {
            EXPECT_EQ(ReadBytes(cfg), row.file == Kept ? before : SerializeSettings(Settings{}));
        }
    }
    EXPECT_EQ(DebugMessageText(2),
              "An error occured during loading the configuration file. Code: 2");
    // A NUL in the stored folder must not cut the path down to a real gpl.exe.
    testing::ScratchFolder dir;
    MakeGame(dir.Path("gpl"));
    EXPECT_TRUE(CheckGameFolder(dir.Path("gpl")));
    EXPECT_FALSE(CheckGameFolder(dir.Path("gpl") + "/gpl.exe" + std::string(1, '\0') + "x"));
}

// Each box is shown before the stale file is replaced; code 3 only after the
// write was tried, and the old file stays whole.
TEST(ConfigStartup, NoticesAreShownInTurnAroundTheRewrite) {
    testing::ScratchFolder dir;
    const std::string path = dir.Path("Vistolarex.cfg");
    testing::FaultyFileLayer layer;
    using Moments = std::vector<std::tuple<Kind, int, std::vector<std::uint8_t>, int>>;
    Moments moments;
    auto record = [&](const ConfigNotice& n) {
        moments.emplace_back(n.kind, n.code, ReadBytes(path), layer.writes);
    };
    const std::vector<std::uint8_t> stale = SerializeSettings(Recorded(dir.Path("gone")));
    WriteBytes(path, stale);
    Settings s;
    LoadConfigAtStartup(dir.Root(), s, layer, record);
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
