// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <random>

#include "document/faulty_file_layer.h"
#include "settings/config_file.h"
#include "settings/config_folder.h"
#include "support/cam_file_builder.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

using namespace std::filesystem;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;
using Bytes = std::vector<std::uint8_t>;
const std::string kCfg = "/Vistolarex.cfg";
using Kind = ConfigNotice::Kind;
using Notices = std::vector<int>;  // codes; 0 is the corrupt-file box
using Prepare = std::function<void(const std::string& program)>;

Settings RandomSettings(std::mt19937& random) {
    std::uniform_int_distribution<std::uint32_t> word;
    Settings s;
    for (auto [text, longest] : {std::pair{&s.Signature, 60u}, {&s.GPLFolder, 300u}}) {
        text->resize(word(random) % (longest + 1));
        for (char& c : *text) c = static_cast<char>(word(random));  // 8-bit bytes and NULs
    }
    for (bool* flag : {&s.SafetyAll, &s.SafetyAssign, &s.SafetyConfigure, &s.SafetyExit,
                       &s.SafetyLoad, &s.SafetyRemove, &s.SafetyOverwrite, &s.ShowInformation,
                       &s.FixedSwitchOver, &s.PlayScript}) {
        *flag = word(random) % 2 == 0;
    }
    for (auto& bits : s.NewCameraDefaults) bits = word(random);
    s.ClickCount = static_cast<std::uint8_t>(word(random));
    for (auto* list : {&s.ClickIntervals, &s.ClickX, &s.ClickY}) {
        for (auto& value : *list) value = static_cast<std::int32_t>(word(random));
    }
    s.ShutdownDelay = static_cast<std::int32_t>(word(random));
    return s;
}

// Every record reads back as written and copies whole but for the signature; any
// shorter prefix is refused; any non-zero Boolean reads as true.
TEST(ConfigRecord, RecordsRoundTripAndCutRecordsAreRefused) {
    std::mt19937 random(3210);
    for (int i = 0; i < 50; ++i) {
        SCOPED_TRACE("seed case " + std::to_string(i));
        const Settings s = RandomSettings(random);
        Bytes b = SerializeSettings(s);
        ASSERT_EQ(b.size(), 4 + s.Signature.size() + s.GPLFolder.size() + 3145);
        EXPECT_EQ(ParseSettings(b), s);
        for (const std::size_t cut : {b.size() - 1, random() % b.size()}) {
            EXPECT_FALSE(ParseSettings({b.begin(), b.begin() + static_cast<long>(cut)})) << cut;
        }
        const std::size_t flag = 4 + s.Signature.size() + s.GPLFolder.size() + 2 * (random() % 8);
        b[flag + random() % 2] |= static_cast<std::uint8_t>(1u << (random() % 8));
        const std::optional<Settings> back = ParseSettings(b);
        ASSERT_TRUE(back);
        EXPECT_EQ(testing::WordAt(SerializeSettings(*back), flag) & 0xFFFF, 0xFFFFu) << flag;
        Settings copy;
        CopyAllButSignature(s, copy);
        EXPECT_EQ(copy.Signature, kSignature);
        copy.Signature = s.Signature;
        EXPECT_EQ(copy, s);
    }
    EXPECT_FALSE(ParseSettings({0xFF, 0xFF, 'V', 'i'})) << "a length beyond the bytes at hand";
}

// The factory record, built here byte by byte.
TEST(ConfigRecord, FactoryRecord) {
    Bytes want;
    auto put = [&want](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) want.push_back(static_cast<std::uint8_t>(value >> 8 * i));
    };
    for (std::string text : {kSignature, kNoGameFolder}) {
        put(static_cast<std::uint32_t>(text.size()), 2);
        want.insert(want.end(), text.begin(), text.end());
    }
    for (int i = 0; i < 8; ++i) put(0xFFFF, 2);  // true is FFFF
    for (std::uint32_t word : {0xBF800000u, 0u, 0x40000000u, 0u, 1u, 0x3DCCCCCDu, 0x3DCCCCCDu,
                               0x3DCCCCCDu, 0u, 0u, 0u, 0x3FC90FDBu}) {
        put(word, 4);
    }
    put(0xFFFF, 2);
    want.resize(want.size() + 1 + 3 * 4 * 256);  // no clicks
    put(1500, 4);
    put(0, 2);
    EXPECT_EQ(SerializeSettings(Settings{}), want);
}

// Refused before the file is touched; the longest text that fits is kept whole.
TEST(ConfigRecord, TextTooLongForItsLengthFieldIsRefused) {
    ScratchFolder dir;
    const std::string path = dir.Path("Vistolarex.cfg");
    for (std::string Settings::*text : {&Settings::GPLFolder, &Settings::Signature}) {
        WriteBytes(path, {1});
        Settings huge;
        huge.*text = std::string(0x10000, 'x');
        const WriteResult refused = WriteConfigFile(path, huge);
        EXPECT_FALSE(refused.ok);
        EXPECT_EQ(refused.error.errorNumber, ENAMETOOLONG);
        EXPECT_EQ(ReadBytes(path), Bytes{1});
        (huge.*text).pop_back();
        ASSERT_TRUE(WriteConfigFile(path, huge).ok);
        EXPECT_EQ(ParseSettings(ReadBytes(path)), huge);
    }
}

// A record far from the factory values, so a reset is plain to see.
Settings Recorded(const std::string& gameFolder) {
    Settings s;
    s.GPLFolder = gameFolder;
    s.ClickX[1] = 100;
    return s;
}

Prepare Cfg(const Bytes& bytes) {
    return [bytes](const std::string& p) { WriteBytes(p + kCfg, bytes); };
}

void MakeGame(const std::string& folder) {
    create_directories(folder);
    WriteBytes(folder + "/gpl.exe", {'M', 'Z'});
}

// Records program/name, which game prepares; trailing bytes are neither read nor removed.
Prepare Game(const char* name, void (*game)(const std::string& folder) = MakeGame) {
    return [name, game](const std::string& p) {
        game(p + "/" + name);
        Bytes b = SerializeSettings(Recorded(p + "/" + name));
        b.push_back(0xAB);
        WriteBytes(p + kCfg, b);
    };
}

// Held open by a writer that never writes (until the test ends): it must not be waited on.
void SilentFifo(const std::string& p) {
    ::mkfifo((p + kCfg).c_str(), 0600);
    ::open((p + kCfg).c_str(), O_RDWR | O_NONBLOCK);
}

TEST(ConfigStartup, EachStartingPointGivesItsNoticesAndKeepsOrResetsTheFile) {
    const Bytes good = SerializeSettings(Recorded(kNoGameFolder));
    Bytes badSignature = good;
    badSignature[13] = 'C';
    const Notices corrupt{0}, gone{0, 2}, aborted{0, 3}, unwritable{3}, noFolder{1, 3};
    enum File { Reset, Kept, NotAFile };
    const struct {
        const char* label;
        Prepare prepare;
        Notices notices;
        File file = Reset;
        int step = 3;
        int failWrite = 0;  // the rewrite's write that fails
    } rows[] = {
        {"valid", Game("gpl"), {}, Kept, 2},
        {"valid without game folder", Cfg(good), {}, Kept, 1},
        {"first start", [](auto&) {}, corrupt},
        {"one byte short", Cfg({good.begin(), good.end() - 1}), corrupt},
        {"signature letter", Cfg(badSignature), corrupt},
        {"exe a folder", Game("gpl", [](auto& g) { create_directories(g + "/gpl.exe"); }), corrupt},
        {"no gpl.exe", Game("gpl", [](auto& f) { create_directory(f); }), corrupt},
        {"game folder gone", Game("gone", [](auto&) {}), gone},
        {"rewrite fails", Cfg({1, 2, 3}), aborted, Kept, 3, 1},
        {"FIFO", SilentFifo, aborted, NotAFile},
        {"folder in its place", [](auto& p) { create_directory(p + kCfg); }, unwritable, NotAFile},
        {"program missing", [](auto& p) { remove(p); }, noFolder, NotAFile},
        {"program a file", [](auto& p) { remove(p), WriteBytes(p, {1}); }, noFolder, NotAFile},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ScratchFolder dir;
        const std::string program = dir.Path("program");
        const std::string cfg = program + kCfg;
        create_directory(program);
        row.prepare(program);
        auto content = [&cfg] { return is_regular_file(cfg) ? ReadBytes(cfg) : Bytes{}; };
        const Bytes before = content();
        testing::FaultyFileLayer layer;
        layer.failWriteNumber = row.failWrite;
        std::vector<std::pair<Bytes, int>> shown;  // the file and the writes tried, per notice
        auto show = [&](const ConfigNotice&) { shown.emplace_back(content(), layer.writes); };
        Settings s = Recorded("/elsewhere");
        const StartupConfig r = LoadConfigAtStartup(program, s, layer, show);

        Notices notices;
        for (const ConfigNotice& n : r.notices) {
            notices.push_back(n.code);
            const bool box = n.kind == Kind::Corrupt;
            EXPECT_EQ(n.title, box ? "Vistolarex: Error while initializing" : "Debug-Mode");
            EXPECT_EQ(n.text,
                      box ? "Vistolarex.cfg seems to be corrupt or non-existant. All "
                            "options will be set back to default.\r\nIf you're about to "
                            "fire up Vistolarex for the first time, this is normal.\r\n"
                            "For further information see online manual."
                          : "An error occured during loading the configuration file. Code: " +
                                std::to_string(n.code));
        }
        EXPECT_EQ(notices, row.notices);
        // Each notice shows before the rewrite, code 3 after it failed.
        for (std::size_t k = 0; k < shown.size(); ++k) {
            EXPECT_EQ(shown[k], std::pair(before, notices[k] == 3 ? layer.writes : 0)) << k;
        }
        const int last = notices.empty() ? 0 : notices.back();
        EXPECT_EQ(r.startupAborted, last == 3);
        EXPECT_EQ(r.lastDebugMessage, last != 0 ? DebugMessageText(last) : "");
        EXPECT_EQ(r.configStep, row.step);
        EXPECT_EQ(r.camPath, row.step == 2 ? program + "/gpl/tracks" : program);
        EXPECT_EQ(s, row.step == 3 ? Settings{}
                                   : Recorded(row.step == 2 ? program + "/gpl" : kNoGameFolder));
        // Nothing is put in the place of what is not a file.
        EXPECT_EQ(content(), row.file == Kept    ? before
                             : row.file == Reset ? SerializeSettings(Settings{})
                                                 : Bytes{});
    }
    // A NUL in the stored folder must not cut the path down to a real gpl.exe.
    ScratchFolder dir;
    MakeGame(dir.Path("gpl"));
    EXPECT_TRUE(CheckGameFolder(dir.Path("gpl")));
    EXPECT_FALSE(CheckGameFolder(dir.Path("gpl") + "/gpl.exe" + std::string(1, '\0') + "x"));
}

TEST(ConfigFolder, InstalledOrNotWritableProgramFolderSendsItToTheFallback) {
    const struct {
        const char* label;
        const char* share;  // made next to the program's folder, as an installation has
        mode_t mode;        // of the program's folder; 0: no such folder, 1: a plain file
        bool writable, fallback;
    } rows[] = {
        {"share folder of other programs", "doc", 0755, true, false},
        {"installed, even where it may write (root)", "vistolarex", 0755, true, true},
        {"only others may write, also for root", "", 0055, false, true},
        {"missing", "", 0, false, true},
        {"a plain file", "", 1, false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ScratchFolder dir;
        const std::string program = dir.Path("usr/bin");
        const std::string fallback = dir.Path("home/.config/Vistolarex");
        create_directories(dir.Path("usr/share/") + row.share);
        if (row.mode == 1) WriteBytes(program, {1});
        if (row.mode > 1) create_directory(program), ::chmod(program.c_str(), row.mode);
        EXPECT_EQ(FolderIsWritable(program), row.writable);
        EXPECT_EQ(ChooseConfigFolder(program, fallback), row.fallback ? fallback : program);
        // Without a fallback nothing else is at hand; choosing makes no folder.
        EXPECT_EQ(ChooseConfigFolder(program, ""), program);
        EXPECT_FALSE(exists(fallback));
        ::chmod(program.c_str(), 0755);
    }
    // Making the fallback creates its parents, accepts it existing, refuses a file in the way.
    ScratchFolder dir;
    const std::string nested = dir.Path("home/.config/Vistolarex");
    EXPECT_TRUE(MakeConfigFolder(nested) && is_directory(nested) && MakeConfigFolder(nested));
    WriteBytes(dir.Path("taken"), {1});
    EXPECT_FALSE(MakeConfigFolder(dir.Path("taken")) || MakeConfigFolder(dir.Path("taken/below")));
}

}  // namespace
}  // namespace vx
