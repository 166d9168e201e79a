// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <random>

#include "settings/config_file.h"
#include "support/cam_file_builder.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

using testing::WordAt;
using testing::WriteBytes;

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

// Every record reads back as written; any shorter prefix is refused, and any
// non-zero Boolean reads as true.
TEST(ConfigRecord, RecordsRoundTripAndCutRecordsAreRefused) {
    std::mt19937 random(3210);
    for (int i = 0; i < 50; ++i) {
        const Settings s = RandomSettings(random);
        std::vector<std::uint8_t> b = SerializeSettings(s);
        const std::string input = "seed case " + std::to_string(i);
        ASSERT_EQ(b.size(), 4 + s.Signature.size() + s.GPLFolder.size() + 3145) << input;
        EXPECT_EQ(ParseSettings(b), s) << input;
        const std::size_t cut = random() % b.size();
        EXPECT_FALSE(ParseSettings({b.begin(), b.begin() + static_cast<long>(cut)}))
            << input << cut;
        const std::size_t flag = 4 + s.Signature.size() + s.GPLFolder.size() + 2 * (random() % 8);
        b[flag + random() % 2] |= static_cast<std::uint8_t>(1u << (random() % 8));
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

// The factory record, and where each field lands (B: after both texts).
TEST(ConfigRecord, FactoryRecordAndFieldOffsets) {
    const std::vector<std::uint8_t> factory = SerializeSettings(Settings{});
    ASSERT_EQ(factory.size(), 3210u);
    EXPECT_EQ(std::string(factory.begin(), factory.begin() + 65),
              std::string("\x2C\0", 2) + kSignature + std::string("\x11\0", 2) + kNoGameFolder);
    constexpr std::size_t B = 65;
    const std::uint32_t defaults[12] = {0xBF800000, 0,          0x40000000, 0, 1, 0x3DCCCCCD,
                                        0x3DCCCCCD, 0x3DCCCCCD, 0,          0, 0, 0x3FC90FDB};
    for (std::size_t k = 0; k < 12; ++k) EXPECT_EQ(WordAt(factory, B + 16 + 4 * k), defaults[k]);
    for (std::size_t at : {B, B + 2, B + 4, B + 6, B + 8, B + 10, B + 12, B + 14, B + 64}) {
        EXPECT_EQ(factory.at(at) & factory.at(at + 1), 0xFF) << at;  // true is FFFF
    }
    EXPECT_EQ(WordAt(factory, B + 3139), 1500u);

    // One changed field at a time: only its bytes change.
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
        std::vector<std::uint8_t> want = factory;
        std::copy(row.bytes.begin(), row.bytes.end(), want.begin() + static_cast<long>(row.at));
        EXPECT_EQ(SerializeSettings(s), want) << "offset " << row.at;
    }
}

TEST(ConfigRecord, TextTooLongForItsLengthFieldIsRefusedBeforeTheFileIsTouched) {
    testing::ScratchFolder dir;
    const std::string path = dir.Path("Vistolarex.cfg");
    WriteBytes(path, {1});
    for (std::string Settings::*text : {&Settings::GPLFolder, &Settings::Signature}) {
        const std::vector<std::uint8_t> before = testing::ReadBytes(path);
        Settings huge;
        huge.*text = std::string(0x10000, 'x');
        const WriteResult result = WriteConfigFile(path, huge);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error.errorNumber, ENAMETOOLONG);
        EXPECT_EQ(testing::ReadBytes(path), before);
        // The longest text that fits is kept whole.
        (huge.*text).pop_back();
        ASSERT_TRUE(WriteConfigFile(path, huge).ok);
        EXPECT_EQ(ParseSettings(testing::ReadBytes(path)), huge);
    }
}

TEST(ConfigRecord, CopyAllButSignatureKeepsTheTargetSignature) {
    std::mt19937 random(1);
    const Settings from = RandomSettings(random);
    Settings to;
    CopyAllButSignature(from, to);
    Settings expected = from;
    expected.Signature = kSignature;
    EXPECT_EQ(to, expected);
}

}  // namespace
}  // namespace vx
