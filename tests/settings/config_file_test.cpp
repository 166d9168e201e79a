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
using testing::FaultyFileLayer;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WordAt;
using testing::WriteBytes;
using Kind = ConfigNotice::Kind;
using Notices = std::vector<std::pair<Kind, int>>;
using Prepare = std::function<void(const std::string& program)>;

Settings RandomSettings(std::mt19937& random) {
    std::uniform_int_distribution<std::uint32_t> word;
    auto text = [&](std::uint32_t longest) {
        std::string out(word(random) % (longest + 1), '\0');
        for (char& c : out) c = static_cast<char>(word(random));  // 8-bit bytes and NULs
        return out;
    };
    Settings s;
    s.Signature = text(60);
    s.GPLFolder = text(300);
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

// Every record reads back as written, and copies whole but for the signature; any
// shorter prefix is refused, and any non-zero Boolean reads as true.
TEST(ConfigRecord, RecordsRoundTripAndCutRecordsAreRefused) {
    std::mt19937 random(3210);
    for (int i = 0; i < 50; ++i) {
        const Settings s = RandomSettings(random);
        std::vector<std::uint8_t> b = SerializeSettings(s);
        const std::string input = "seed case " + std::to_string(i);
        ASSERT_EQ(b.size(), 4 + s.Signature.size() + s.GPLFolder.size() + 3145) << input;
        EXPECT_EQ(ParseSettings(b), s) << input;
        for (const std::size_t cut : {b.size() - 1, random() % b.size()}) {
            EXPECT_FALSE(ParseSettings({b.begin(), b.begin() + static_cast<long>(cut)})) << input;
        }
        const std::size_t flag = 4 + s.Signature.size() + s.GPLFolder.size() + 2 * (random() % 8);
        b[flag + random() % 2] |= static_cast<std::uint8_t>(1u << (random() % 8));
        Settings copy;
        CopyAllButSignature(s, copy);
        EXPECT_EQ(copy.Signature, kSignature) << input;
        copy.Signature = s.Signature;
        EXPECT_EQ(copy, s) << input;
        const std::optional<Settings> back = ParseSettings(b);
        ASSERT_TRUE(back) << input;
        EXPECT_EQ(WordAt(SerializeSettings(*back), flag) & 0xFFFF, 0xFFFFu) << input << flag;
    }
    // Length fields far beyond the bytes at hand.
    EXPECT_FALSE(ParseSettings({0xFF, 0xFF, 'V', 'i'}));
    std::vector<std::uint8_t> hostile = SerializeSettings(Settings{});
    hostile[46] = hostile[47] = 0xFF;
    EXPECT_FALSE(ParseSettings(hostile));
}

// The factory record, built here byte by byte, and where each field lands.
TEST(ConfigRecord, FactoryRecordAndFieldOffsets) {
    std::vector<std::uint8_t> want;
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
    ASSERT_EQ(want.size(), 3210u);
    EXPECT_EQ(SerializeSettings(Settings{}), want);

    // One changed field at a time: only its bytes change (B: after both texts).
    constexpr std::size_t B = 65;
    const struct {
        std::function<void(Settings&)> change;
        std::size_t at;
        std::vector<std::uint8_t> bytes;
    } rows[] = {
        {[](Settings& s) { s.SafetyAll = false; }, B, {0, 0}},
        {[](Settings& s) { s.SafetyConfigure = false; }, B + 4, {0, 0}},
        {[](Settings& s) { s.SafetyOverwrite = false; }, B + 12, {0, 0}},
        {[](Settings& s) { s.ShowInformation = false; }, B + 14, {0, 0}},
        {[](Settings& s) { s.NewCameraDefaults[1] = 0x01020304; }, B + 20, {4, 3, 2, 1}},
        {[](Settings& s) { s.FixedSwitchOver = false; }, B + 64, {0, 0}},
        {[](Settings& s) { s.ClickCount = 7; }, B + 66, {7}},
        {[](Settings& s) { s.ClickIntervals[255] = 0x01020304; }, B + 67 + 1020, {4, 3, 2, 1}},
        {[](Settings& s) { s.ClickX[3] = -3; }, B + 1091 + 12, {0xFD, 0xFF, 0xFF, 0xFF}},
        {[](Settings& s) { s.ClickY[2] = 131070; }, B + 2115 + 8, {0xFE, 0xFF, 1, 0}},
        {[](Settings& s) { s.ShutdownDelay = -7; }, B + 3139, {0xF9, 0xFF, 0xFF, 0xFF}},
        {[](Settings& s) { s.PlayScript = true; }, B + 3143, {0xFF, 0xFF}},
    };
    for (const auto& row : rows) {
        Settings s;
        row.change(s);
        std::vector<std::uint8_t> patched = want;
        std::copy(row.bytes.begin(), row.bytes.end(), patched.begin() + static_cast<long>(row.at));
        EXPECT_EQ(SerializeSettings(s), patched) << "offset " << row.at;
    }
}

TEST(ConfigRecord, TextTooLongForItsLengthFieldIsRefusedBeforeTheFileIsTouched) {
    ScratchFolder dir;
    const std::string path = dir.Path("Vistolarex.cfg");
    WriteBytes(path, {1});
    for (std::string Settings::*text : {&Settings::GPLFolder, &Settings::Signature}) {
        const std::vector<std::uint8_t> before = ReadBytes(path);
        Settings huge;
        huge.*text = std::string(0x10000, 'x');
        const WriteResult result = WriteConfigFile(path, huge);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error.errorNumber, ENAMETOOLONG);
        EXPECT_EQ(ReadBytes(path), before);
        // The longest text that fits is kept whole.
        (huge.*text).pop_back();
        ASSERT_TRUE(WriteConfigFile(path, huge).ok);
        EXPECT_EQ(ParseSettings(ReadBytes(path)), huge);
    }
}

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
        ScratchFolder dir;
        const std::string program = dir.Path("program");
        const std::string cfg = program + "/Vistolarex.cfg";
        create_directory(program);
        row.prepare(program);
        const std::vector<std::uint8_t> before =
            is_regular_file(cfg) ? ReadBytes(cfg) : std::vector<std::uint8_t>{};
        std::vector<std::vector<std::uint8_t>> shownOver;  // the file as each notice showed
        auto show = [&](const ConfigNotice&) {
            shownOver.push_back(is_regular_file(cfg) ? ReadBytes(cfg)
                                                     : std::vector<std::uint8_t>{});
        };
        Settings s = Recorded("/elsewhere");
        const StartupConfig r = LoadConfigAtStartup(program, s, SystemFileLayer(), show);

        Notices notices;
        for (const ConfigNotice& n : r.notices) {
            notices.emplace_back(n.kind, n.code);
            const bool box = n.kind == Kind::Corrupt;
            EXPECT_EQ(n.title, box ? "Vistolarex: Error while initializing" : "Debug-Mode");
            EXPECT_EQ(n.text, box ? kCorruptText : DebugMessageText(n.code));
        }
        EXPECT_EQ(notices, row.notices);
        EXPECT_EQ(shownOver, decltype(shownOver)(notices.size(), before))
            << "shown before the rewrite";
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
    ScratchFolder dir;
    MakeGame(dir.Path("gpl"));
    EXPECT_TRUE(CheckGameFolder(dir.Path("gpl")));
    EXPECT_FALSE(CheckGameFolder(dir.Path("gpl") + "/gpl.exe" + std::string(1, '\0') + "x"));
}

// Code 3 is shown only after the write was tried; the old file stays whole.
TEST(ConfigStartup, CodeThreeFollowsTheFailedRewrite) {
    ScratchFolder dir;
    WriteBytes(dir.Path("Vistolarex.cfg"), {1, 2, 3});
    FaultyFileLayer layer;
    layer.failWriteNumber = 1;
    std::vector<std::pair<int, int>> shown;  // code, writes tried by then
    auto show = [&](const ConfigNotice& n) { shown.emplace_back(n.code, layer.writes); };
    Settings s;
    const StartupConfig r = LoadConfigAtStartup(dir.Root(), s, layer, show);
    EXPECT_EQ(shown, (std::vector<std::pair<int, int>>{{0, 0}, {3, 1}}));
    EXPECT_EQ(r.notices.size(), 2u) << "the notices are still collected";
    EXPECT_TRUE(r.startupAborted);
    EXPECT_EQ(ReadBytes(dir.Path("Vistolarex.cfg")), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"Vistolarex.cfg"});
}

// The program's folder is dir/usr/bin; the fallback, dir/home/.config/Vistolarex.
TEST(ConfigFolder, InstalledOrNotWritableProgramFolderSendsItToTheFallback) {
    const struct {
        const char* label;
        const char* share;  // made next to the program's folder, as an installation has
        mode_t mode;        // of the program's folder; 0: no such folder, 1: a plain file
        bool writable;
        bool fallback;
    } rows[] = {
        {"build tree", "", 0755, true, false},
        {"share folder of other programs", "doc", 0755, true, false},
        {"installed, even where it may write (root)", "vistolarex", 0755, true, true},
        {"read-only, also for root", "", 0555, false, true},
        {"owner may not write", "", 0500, false, true},
        {"only others may write", "", 0055, false, true},
        {"missing", "", 0, false, true},
        {"a plain file", "", 1, false, true},
    };
    for (const auto& row : rows) {
        ScratchFolder dir;
        const std::string program = dir.Path("usr/bin");
        const std::string fallback = dir.Path("home/.config/Vistolarex");
        create_directories(dir.Path("usr/share/") + row.share);
        if (row.mode == 1) WriteBytes(program, {1});
        if (row.mode > 1) create_directory(program), ::chmod(program.c_str(), row.mode);
        EXPECT_EQ(FolderIsWritable(program), row.writable) << row.label;
        EXPECT_EQ(ChooseConfigFolder(program, fallback), row.fallback ? fallback : program)
            << row.label;
        // Without a fallback nothing else is at hand; choosing makes no folder.
        EXPECT_EQ(ChooseConfigFolder(program, ""), program) << row.label;
        EXPECT_FALSE(exists(fallback)) << row.label;
        ::chmod(program.c_str(), 0755);
    }
}

TEST(ConfigFolder, MakeConfigFolderCreatesParentsAndRefusesAFileInTheWay) {
    ScratchFolder dir;
    const std::string nested = dir.Path("home/.config/Vistolarex");
    EXPECT_TRUE(MakeConfigFolder(nested));
    EXPECT_TRUE(is_directory(nested));
    EXPECT_TRUE(MakeConfigFolder(nested)) << "an existing folder is fine";
    WriteBytes(dir.Path("taken"), {1});
    EXPECT_FALSE(MakeConfigFolder(dir.Path("taken")));
    EXPECT_FALSE(MakeConfigFolder(dir.Path("taken/below")));
}

}  // namespace
}  // namespace vx
