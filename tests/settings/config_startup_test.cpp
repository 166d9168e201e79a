#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "faulty_file_layer.h"
#include "settings/config_file.h"
#include "temp_folder.h"

namespace vx {
namespace {

using testing::FaultyFileLayer;
using testing::ReadBytes;
using testing::TempFolder;
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

TEST(ConfigStartup, FirstStartShowsOneCorruptBoxAndCreatesTheFactoryFile) {
    TempFolder dir;
    Settings s = Recorded("/nowhere");
    const StartupConfig r = LoadConfigAtStartup(dir.Path(), s);

    ASSERT_EQ(r.notices.size(), 1u);
    EXPECT_EQ(r.notices[0].kind, Kind::Corrupt);
    EXPECT_EQ(r.notices[0].title, "Vistolarex: Error while initializing");
    EXPECT_EQ(r.notices[0].text, kCorruptText);
    EXPECT_FALSE(r.startupAborted);
    EXPECT_EQ(r.configStep, 3);
    EXPECT_EQ(r.camPath, dir.Path());
    EXPECT_EQ(s, Settings{});
    EXPECT_FALSE(s.HasGameFolder());
    const std::vector<std::uint8_t> file = ReadBytes(dir.Join("Vistolarex.cfg"));
    EXPECT_EQ(file.size(), 3210u);
    EXPECT_EQ(file, SerializeSettings(Settings{}));
}

TEST(ConfigStartup, ValidFileIsTakenAsItStands) {
    TempFolder dir;
    const std::string game = dir.Join("gpl");
    MakeGame(game);
    std::vector<std::uint8_t> bytes = SerializeSettings(Recorded(game));
    bytes.push_back(0xAB);  // trailing bytes are neither read nor removed
    WriteBytes(dir.Join("Vistolarex.cfg"), bytes);

    Settings s;
    const StartupConfig r = LoadConfigAtStartup(dir.Path(), s);
    EXPECT_TRUE(r.notices.empty());
    EXPECT_FALSE(r.startupAborted);
    EXPECT_EQ(r.configStep, 2);
    EXPECT_EQ(r.camPath, game + "/tracks");
    EXPECT_EQ(s, Recorded(game));
    EXPECT_EQ(ReadBytes(dir.Join("Vistolarex.cfg")), bytes);

    // Without a game folder nothing is checked and the program's folder stays.
    WriteBytes(dir.Join("Vistolarex.cfg"), SerializeSettings(Recorded(kNoGameFolder)));
    const StartupConfig none = LoadConfigAtStartup(dir.Path(), s);
    EXPECT_TRUE(none.notices.empty());
    EXPECT_EQ(none.configStep, 1);
    EXPECT_EQ(none.camPath, dir.Path());
    EXPECT_EQ(s, Recorded(kNoGameFolder));
}

TEST(ConfigStartup, CorruptFilesAreResetAndRewritten) {
    const std::vector<std::uint8_t> good = SerializeSettings(Recorded(kNoGameFolder));
    std::vector<std::vector<std::uint8_t>> bad;
    bad.push_back(good);
    bad.back()[0] = 43;  // length field not 44
    bad.push_back(good);
    bad.back()[2 + 11] = 'C';  // "configuration" with a capital letter
    bad.push_back(std::vector<std::uint8_t>(good.begin(), good.end() - 1));  // short file
    bad.push_back({0xFF, 0xFF, 'V'});  // hostile length, tiny file
    bad.push_back(good);
    bad.back()[46] = 0xFF;  // folder length beyond the end
    bad.back()[47] = 0xFF;
    bad.push_back({});  // empty file

    for (std::size_t i = 0; i < bad.size(); ++i) {
        TempFolder dir;
        WriteBytes(dir.Join("Vistolarex.cfg"), bad[i]);
        Settings s = Recorded("/elsewhere");
        const StartupConfig r = LoadConfigAtStartup(dir.Path(), s);
        EXPECT_EQ(Kinds(r), std::vector<Kind>{Kind::Corrupt}) << "case " << i;
        EXPECT_EQ(s, Settings{}) << "case " << i;
        EXPECT_EQ(ReadBytes(dir.Join("Vistolarex.cfg")), SerializeSettings(Settings{}))
            << "case " << i;
    }
}

TEST(ConfigStartup, GameFolderWithoutGplExeResetsEverythingIncludingTheScript) {
    TempFolder dir;
    const std::string game = dir.Join("gpl");
    std::filesystem::create_directories(game);
    WriteBytes(dir.Join("Vistolarex.cfg"), SerializeSettings(Recorded(game)));

    Settings s;
    const StartupConfig r = LoadConfigAtStartup(dir.Path(), s);
    EXPECT_EQ(Kinds(r), std::vector<Kind>{Kind::Corrupt});
    EXPECT_EQ(r.notices[0].text, kCorruptText);
    EXPECT_EQ(r.camPath, dir.Path());
    EXPECT_EQ(s, Settings{});
    EXPECT_EQ(s.ClickCount, 0);
    EXPECT_EQ(s.ClickX[1], 0);
    EXPECT_EQ(ReadBytes(dir.Join("Vistolarex.cfg")), SerializeSettings(Settings{}));

    // A folder named gpl.exe and a dangling link are no game either.
    std::filesystem::create_directories(game + "/gpl.exe");
    EXPECT_FALSE(CheckGameFolder(game));
    const std::string linked = dir.Join("linked");
    std::filesystem::create_directories(linked);
    std::filesystem::create_symlink(dir.Join("gone.exe"), linked + "/gpl.exe");
    EXPECT_FALSE(CheckGameFolder(linked));
    WriteBytes(dir.Join("Vistolarex.cfg"), SerializeSettings(Recorded(linked)));
    EXPECT_EQ(Kinds(LoadConfigAtStartup(dir.Path(), s)), std::vector<Kind>{Kind::Corrupt});

    MakeGame(dir.Join("real"));
    EXPECT_TRUE(CheckGameFolder(dir.Join("real")));
    // A NUL in the stored folder must not cut the path down to a real gpl.exe.
    EXPECT_FALSE(CheckGameFolder(dir.Join("real") + "/gpl.exe" + std::string(1, '\0') + "x"));
}

TEST(ConfigStartup, MissingFoldersAddTheDebugMessageWithTheirStep) {
    EXPECT_EQ(DebugMessageText(2),
              "An error occured during loading the configuration file. Code: 2");

    // The game folder itself has gone: corrupt box, then code 2.
    {
        TempFolder dir;
        WriteBytes(dir.Join("Vistolarex.cfg"), SerializeSettings(Recorded(dir.Join("gone"))));
        Settings s;
        const StartupConfig r = LoadConfigAtStartup(dir.Path(), s);
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
        TempFolder dir;
        const std::string folder = dir.Join("program");
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
    TempFolder dir;
    std::filesystem::create_directories(dir.Join("Vistolarex.cfg"));
    Settings s = Recorded("/elsewhere");
    const StartupConfig r = LoadConfigAtStartup(dir.Path(), s);
    ASSERT_EQ(Kinds(r), std::vector<Kind>{Kind::Debug});
    EXPECT_EQ(r.notices[0].code, 3);
    EXPECT_TRUE(r.startupAborted);
    EXPECT_EQ(s, Settings{});
    EXPECT_TRUE(std::filesystem::is_directory(dir.Join("Vistolarex.cfg")));
}

TEST(ConfigStartup, FailedRewriteAbortsStartupAndKeepsTheOldFile) {
    TempFolder dir;
    std::vector<std::uint8_t> old = SerializeSettings(Recorded(kNoGameFolder));
    old[5] = 'X';  // wrong signature
    WriteBytes(dir.Join("Vistolarex.cfg"), old);

    FaultyFileLayer layer;
    layer.failOp = FaultyFileLayer::Op::Write;
    layer.failError = ENOSPC;
    Settings s;
    const StartupConfig r = LoadConfigAtStartup(dir.Path(), s, layer);
    ASSERT_EQ(Kinds(r), (std::vector<Kind>{Kind::Corrupt, Kind::Debug}));
    EXPECT_EQ(r.notices[1].code, 3);
    EXPECT_EQ(r.fehlermeldung, DebugMessageText(3));
    EXPECT_TRUE(r.startupAborted);
    EXPECT_EQ(s, Settings{});
    EXPECT_EQ(ReadBytes(dir.Join("Vistolarex.cfg")), old);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"Vistolarex.cfg"});

    // A file without its write bit is not replaced either, also for root.
    ::chmod(dir.Join("Vistolarex.cfg").c_str(), 0444);
    const StartupConfig readOnly = LoadConfigAtStartup(dir.Path(), s);
    EXPECT_EQ(Kinds(readOnly), (std::vector<Kind>{Kind::Corrupt, Kind::Debug}));
    EXPECT_TRUE(readOnly.startupAborted);
    EXPECT_EQ(ReadBytes(dir.Join("Vistolarex.cfg")), old);
}

TEST(ConfigStartup, ShorterFolderWrittenLaterIsReadBackExactly) {
    TempFolder dir;
    const std::string longGame = dir.Join("a-rather-long-game-folder-name");
    const std::string shortGame = dir.Join("g");
    MakeGame(longGame);
    MakeGame(shortGame);
    const std::string path = dir.Join("Vistolarex.cfg");
    ASSERT_TRUE(WriteConfigFile(path, Recorded(longGame)).ok);
    Settings shorter = Recorded(shortGame);
    shorter.ClickY[255] = 77;
    ASSERT_TRUE(WriteConfigFile(path, shorter).ok);
    EXPECT_EQ(ReadBytes(path), SerializeSettings(shorter));

    Settings s;
    const StartupConfig r = LoadConfigAtStartup(dir.Path(), s);
    EXPECT_TRUE(r.notices.empty());
    EXPECT_EQ(s, shorter);
    EXPECT_EQ(r.camPath, shortGame + "/tracks");
}

}  // namespace
}  // namespace vx
