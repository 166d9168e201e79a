// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "document/faulty_file_layer.h"
#include "settings/config_file.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

using testing::FaultyFileLayer;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;
using Kind = ConfigNotice::Kind;

const std::string kCorruptText =
    "Vistolarex.cfg seems to be corrupt or non-existant. All options will be set back to "
    "default.\r\nIf you're about to fire up Vistolarex for the first time, this is normal.\r\n"
    "For further information see online manual.";

// A record far from the factory values, so a reset is plain to see.
Settings Recorded(const std::string& gameFolder) {
    Settings s;
    s.GPLFolder = gameFolder;
    s.SafetyExit = false;
    s.PlayScript = true;
    s.ShutdownDelay = 300;
    s.ClickCount = 2;
    s.ClickIntervals[1] = 4000;
    s.ClickX[1] = 100;
    s.ClickY[2] = 200;
    s.NewCameraDefaults[0] = FloatBits(50.0f);
    return s;
}

void MakeGame(const std::string& folder) {
    std::filesystem::create_directories(folder);
    WriteBytes(folder + "/gpl.exe", {'M', 'Z'});
}

std::vector<Kind> Kinds(const StartupConfig& r) {
    std::vector<Kind> kinds;
    for (const ConfigNotice& n : r.notices) kinds.push_back(n.kind);
    return kinds;
}

TEST(ConfigStartup, ValidFileIsTakenAsItStands) {
    ScratchFolder dir;
    const std::string game = dir.Path("gpl");
    MakeGame(game);
    std::vector<std::uint8_t> bytes = SerializeSettings(Recorded(game));
    bytes.push_back(0xAB);  // trailing bytes are neither read nor removed
    WriteBytes(dir.Path("Vistolarex.cfg"), bytes);

    Settings s;
    const StartupConfig r = LoadConfigAtStartup(dir.Root(), s);
    EXPECT_TRUE(r.notices.empty());
    EXPECT_FALSE(r.startupAborted);
    EXPECT_EQ(r.configStep, 2);
    EXPECT_EQ(r.camPath, game + "/tracks");
    EXPECT_EQ(s, Recorded(game));
    EXPECT_EQ(ReadBytes(dir.Path("Vistolarex.cfg")), bytes);

    // Without a game folder nothing is checked and the program's folder stays.
    WriteBytes(dir.Path("Vistolarex.cfg"), SerializeSettings(Recorded(kNoGameFolder)));
    const StartupConfig none = LoadConfigAtStartup(dir.Root(), s);
    EXPECT_TRUE(none.notices.empty());
    EXPECT_EQ(none.configStep, 1);
    EXPECT_EQ(none.camPath, dir.Root());
    EXPECT_EQ(s, Recorded(kNoGameFolder));
}

TEST(ConfigStartup, MissingOrCorruptFilesShowOneCorruptBoxAndAreRewritten) {
    const std::vector<std::uint8_t> good = SerializeSettings(Recorded(kNoGameFolder));
    // No file at all is the first start; the rest are parser-level refusals that the
    // start-up must take as corrupt too.
    std::vector<std::optional<std::vector<std::uint8_t>>> files{std::nullopt, good, good};
    files[1]->at(0) = 43;        // length field not 44
    files[2]->at(2 + 11) = 'C';  // "configuration" with a capital letter
    files.push_back(std::vector<std::uint8_t>(good.begin(), good.end() - 1));  // short file
    files.push_back(std::vector<std::uint8_t>{});

    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(i);
        ScratchFolder dir;
        if (files[i]) WriteBytes(dir.Path("Vistolarex.cfg"), *files[i]);
        Settings s = Recorded("/elsewhere");
        const StartupConfig r = LoadConfigAtStartup(dir.Root(), s);
        ASSERT_EQ(Kinds(r), std::vector<Kind>{Kind::Corrupt});
        EXPECT_EQ(r.notices[0].title, "Vistolarex: Error while initializing");
        EXPECT_EQ(r.notices[0].text, kCorruptText);
        EXPECT_FALSE(r.startupAborted);
        EXPECT_EQ(r.configStep, 3);
        EXPECT_EQ(r.camPath, dir.Root());
        EXPECT_EQ(s, Settings{});
        EXPECT_EQ(ReadBytes(dir.Path("Vistolarex.cfg")), SerializeSettings(Settings{}));
    }
}

TEST(ConfigStartup, GameFolderWithoutGplExeResetsEverythingIncludingTheScript) {
    ScratchFolder dir;
    const std::string game = dir.Path("gpl");
    std::filesystem::create_directories(game);
    WriteBytes(dir.Path("Vistolarex.cfg"), SerializeSettings(Recorded(game)));

    Settings s;
    const StartupConfig r = LoadConfigAtStartup(dir.Root(), s);
    EXPECT_EQ(Kinds(r), std::vector<Kind>{Kind::Corrupt});
    EXPECT_EQ(r.camPath, dir.Root());
    EXPECT_EQ(s, Settings{});
    EXPECT_EQ(ReadBytes(dir.Path("Vistolarex.cfg")), SerializeSettings(Settings{}));

    // A folder named gpl.exe and a dangling link are no game either.
    std::filesystem::create_directories(game + "/gpl.exe");
    EXPECT_FALSE(CheckGameFolder(game));
    const std::string linked = dir.Path("linked");
    std::filesystem::create_directories(linked);
    std::filesystem::create_symlink(dir.Path("gone.exe"), linked + "/gpl.exe");
    EXPECT_FALSE(CheckGameFolder(linked));
    WriteBytes(dir.Path("Vistolarex.cfg"), SerializeSettings(Recorded(linked)));
    EXPECT_EQ(Kinds(LoadConfigAtStartup(dir.Root(), s)), std::vector<Kind>{Kind::Corrupt});

    MakeGame(dir.Path("real"));
    EXPECT_TRUE(CheckGameFolder(dir.Path("real")));
    // A NUL in the stored folder must not cut the path down to a real gpl.exe.
    EXPECT_FALSE(CheckGameFolder(dir.Path("real") + "/gpl.exe" + std::string(1, '\0') + "x"));
}

TEST(ConfigStartup, MissingFoldersAddTheDebugMessageWithTheirStep) {
    EXPECT_EQ(DebugMessageText(2),
              "An error occured during loading the configuration file. Code: 2");

    // The game folder itself has gone: corrupt box, then code 2.
    {
        ScratchFolder dir;
        WriteBytes(dir.Path("Vistolarex.cfg"), SerializeSettings(Recorded(dir.Path("gone"))));
        Settings s;
        const StartupConfig r = LoadConfigAtStartup(dir.Root(), s);
        ASSERT_EQ(Kinds(r), (std::vector<Kind>{Kind::Corrupt, Kind::Debug}));
        EXPECT_EQ(r.notices[1].code, 2);
        EXPECT_EQ(r.notices[1].title, "Debug-Mode");
        EXPECT_EQ(r.notices[1].text, DebugMessageText(2));
        EXPECT_EQ(r.fehlermeldung, DebugMessageText(2));
        EXPECT_FALSE(r.startupAborted);
        EXPECT_EQ(s, Settings{});
    }
    // The program's folder is missing, or is a plain file: code 1 without the
    // corrupt box, then writing fails too: code 3, start-up aborted.
    for (bool asFile : {false, true}) {
        ScratchFolder dir;
        const std::string folder = dir.Path("program");
        if (asFile) WriteBytes(folder, {1, 2, 3});
        Settings s = Recorded("/elsewhere");
        const StartupConfig r = LoadConfigAtStartup(folder, s);
        ASSERT_EQ(Kinds(r), (std::vector<Kind>{Kind::Debug, Kind::Debug})) << asFile;
        EXPECT_EQ(r.notices[0].code, 1);
        EXPECT_EQ(r.notices[0].text, DebugMessageText(1));
        EXPECT_EQ(r.notices[1].code, 3);
        EXPECT_EQ(r.fehlermeldung, DebugMessageText(3));
        EXPECT_TRUE(r.startupAborted);
        EXPECT_EQ(r.configStep, 3);
        EXPECT_EQ(r.camPath, folder);
        EXPECT_EQ(s, Settings{});
    }
}

TEST(ConfigStartup, UnreadableFileGivesNoCorruptBox) {
    // A folder where the file should be cannot be read, nor replaced.
    ScratchFolder dir;
    std::filesystem::create_directories(dir.Path("Vistolarex.cfg"));
    Settings s = Recorded("/elsewhere");
    const StartupConfig r = LoadConfigAtStartup(dir.Root(), s);
    ASSERT_EQ(Kinds(r), std::vector<Kind>{Kind::Debug});
    EXPECT_EQ(r.notices[0].code, 3);
    EXPECT_TRUE(r.startupAborted);
    EXPECT_EQ(s, Settings{});
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path("Vistolarex.cfg")));
}

TEST(ConfigStartup, FifoInPlaceOfTheFileIsCorruptAndKeptInsteadOfBeingWaitedOn) {
    ScratchFolder dir;
    const std::string fifo = dir.Path("Vistolarex.cfg");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int silentWriter = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(silentWriter, 0);
    Settings s = Recorded("/elsewhere");
    const StartupConfig r = LoadConfigAtStartup(dir.Root(), s);
    ::close(silentWriter);
    // Read as corrupt; the FIFO is no file to replace, so the rewrite fails.
    ASSERT_EQ(Kinds(r), (std::vector<Kind>{Kind::Corrupt, Kind::Debug}));
    EXPECT_EQ(r.notices[1].code, 3);
    EXPECT_EQ(s, Settings{});
    struct stat status {};
    ASSERT_EQ(::stat(fifo.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

TEST(ConfigStartup, FailedRewriteAbortsStartupAndKeepsTheOldFile) {
    ScratchFolder dir;
    std::vector<std::uint8_t> old = SerializeSettings(Recorded(kNoGameFolder));
    old[5] = 'X';  // wrong signature
    WriteBytes(dir.Path("Vistolarex.cfg"), old);

    FaultyFileLayer layer;
    layer.failWriteNumber = 1;
    layer.writeError = ENOSPC;
    Settings s;
    const StartupConfig r = LoadConfigAtStartup(dir.Root(), s, layer);
    ASSERT_EQ(Kinds(r), (std::vector<Kind>{Kind::Corrupt, Kind::Debug}));
    EXPECT_EQ(r.notices[1].code, 3);
    EXPECT_EQ(r.fehlermeldung, DebugMessageText(3));
    EXPECT_TRUE(r.startupAborted);
    EXPECT_EQ(s, Settings{});
    EXPECT_EQ(ReadBytes(dir.Path("Vistolarex.cfg")), old);
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"Vistolarex.cfg"});

    // A file without its write bit is not replaced either, also for root.
    ::chmod(dir.Path("Vistolarex.cfg").c_str(), 0444);
    const StartupConfig readOnly = LoadConfigAtStartup(dir.Root(), s);
    EXPECT_EQ(Kinds(readOnly), (std::vector<Kind>{Kind::Corrupt, Kind::Debug}));
    EXPECT_TRUE(readOnly.startupAborted);
    EXPECT_EQ(ReadBytes(dir.Path("Vistolarex.cfg")), old);
}

TEST(ConfigStartup, ShorterFolderWrittenLaterIsReadBackExactly) {
    ScratchFolder dir;
    const std::string longGame = dir.Path("a-rather-long-game-folder-name");
    const std::string shortGame = dir.Path("g");
    MakeGame(longGame);
    MakeGame(shortGame);
    const std::string path = dir.Path("Vistolarex.cfg");
    ASSERT_TRUE(WriteConfigFile(path, Recorded(longGame)).ok);
    Settings shorter = Recorded(shortGame);
    shorter.ClickY[255] = 77;
    ASSERT_TRUE(WriteConfigFile(path, shorter).ok);
    EXPECT_EQ(ReadBytes(path), SerializeSettings(shorter));
    EXPECT_EQ(dir.Entries(), (std::set<std::string>{"Vistolarex.cfg", "g",
                                                    longGame.substr(longGame.rfind('/') + 1)}));

    Settings s;
    const StartupConfig r = LoadConfigAtStartup(dir.Root(), s);
    EXPECT_TRUE(r.notices.empty());
    EXPECT_EQ(s, shorter);
    EXPECT_EQ(r.camPath, shortGame + "/tracks");
}

}  // namespace
}  // namespace vx
