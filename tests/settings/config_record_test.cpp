// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "settings/config_file.h"

namespace vx {
namespace {

std::uint16_t U16At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b.at(at) | b.at(at + 1) << 8);
}

std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b.at(at)) | static_cast<std::uint32_t>(b.at(at + 1)) << 8 |
           static_cast<std::uint32_t>(b.at(at + 2)) << 16 |
           static_cast<std::uint32_t>(b.at(at + 3)) << 24;
}

TEST(ConfigRecord, FactoryRecordHasTheFileLayout) {
    const std::vector<std::uint8_t> b = SerializeSettings(Settings{});
    ASSERT_EQ(b.size(), 3210u);

    EXPECT_EQ(U16At(b, 0), 44);
    EXPECT_EQ(std::string(b.begin() + 2, b.begin() + 46),
              "Vistolarex configuration file - DO NOT EDIT!");
    EXPECT_EQ(U16At(b, 46), 17);
    EXPECT_EQ(std::string(b.begin() + 48, b.begin() + 65), "GPL not installed");

    const std::size_t B = 4 + 44 + 17;
    for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(U16At(b, B + 2 * i), 0xFFFF) << "Boolean " << i;

    const std::uint32_t defaults[12] = {0xBF800000, 0,          0x40000000, 0, 1, 0x3DCCCCCD,
                                        0x3DCCCCCD, 0x3DCCCCCD, 0,          0, 0, 0x3FC90FDB};
    for (std::size_t k = 0; k < 12; ++k) {
        EXPECT_EQ(U32At(b, B + 16 + 4 * k), defaults[k]) << "default element " << k;
    }
    EXPECT_EQ(U16At(b, B + 64), 0xFFFF);  // FixedSwitchOver
    EXPECT_EQ(b[B + 66], 0);              // ClickCount
    for (std::size_t i = B + 67; i < B + 3139; ++i) ASSERT_EQ(b[i], 0) << "click byte " << i;
    EXPECT_EQ(U32At(b, B + 3139), 1500u);
    EXPECT_EQ(U16At(b, B + 3143), 0);  // PlayScript off
}

TEST(ConfigRecord, NonDefaultRecordRoundTripsAndPlacesEveryField) {
    Settings s;
    s.GPLFolder = "/games/gpl \xE9t\xE9";  // 8-bit text is kept byte for byte
    s.SafetyAll = false;
    s.SafetyExit = false;
    s.ShowInformation = false;
    s.NewCameraDefaults[0] = FloatBits(123.5f);
    s.NewCameraDefaults[4] = 0;
    s.FixedSwitchOver = false;
    s.ClickCount = 255;
    for (int i = 0; i < 256; ++i) {
        s.ClickIntervals[static_cast<std::size_t>(i)] = 1000 + i;
        s.ClickX[static_cast<std::size_t>(i)] = -i;
        s.ClickY[static_cast<std::size_t>(i)] = 65535 * i;
    }
    s.ShutdownDelay = -7;
    s.PlayScript = true;

    const std::vector<std::uint8_t> b = SerializeSettings(s);
    const std::size_t B = 4 + 44 + s.GPLFolder.size();
    ASSERT_EQ(b.size(), B + 3145);
    EXPECT_EQ(U16At(b, 46), s.GPLFolder.size());
    EXPECT_EQ(U16At(b, B), 0);           // SafetyAll
    EXPECT_EQ(U16At(b, B + 2), 0xFFFF);  // SafetyAssign
    EXPECT_EQ(U16At(b, B + 6), 0);       // SafetyExit
    EXPECT_EQ(U16At(b, B + 14), 0);      // ShowInformation
    EXPECT_EQ(U32At(b, B + 16), FloatBits(123.5f));
    EXPECT_EQ(U32At(b, B + 32), 0u);
    EXPECT_EQ(b[B + 66], 255);
    EXPECT_EQ(U32At(b, B + 67 + 4 * 255), 1255u);
    EXPECT_EQ(U32At(b, B + 1091 + 4 * 3), static_cast<std::uint32_t>(-3));
    EXPECT_EQ(U32At(b, B + 2115 + 4 * 2), 131070u);
    EXPECT_EQ(U32At(b, B + 3139), static_cast<std::uint32_t>(-7));
    EXPECT_EQ(U16At(b, B + 3143), 0xFFFF);

    const std::optional<Settings> back = ParseSettings(b);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, s);
}

TEST(ConfigRecord, AnyNonZeroBooleanReadsAsTrue) {
    Settings off;
    off.SafetyAll = off.SafetyAssign = off.SafetyConfigure = off.SafetyExit = false;
    off.SafetyLoad = off.SafetyRemove = off.SafetyOverwrite = off.ShowInformation = false;
    off.FixedSwitchOver = false;
    std::vector<std::uint8_t> b = SerializeSettings(off);
    const std::size_t B = 65;
    b[B + 2] = 1;      // SafetyAssign = 0x0001
    b[B + 15] = 0x80;  // ShowInformation = 0x8000
    b[B + 64] = 1;     // FixedSwitchOver
    b[B + 3143] = 1;   // PlayScript

    const std::optional<Settings> s = ParseSettings(b);
    ASSERT_TRUE(s.has_value());
    EXPECT_FALSE(s->SafetyAll);
    EXPECT_TRUE(s->SafetyAssign);
    EXPECT_FALSE(s->SafetyConfigure);
    EXPECT_TRUE(s->ShowInformation);
    EXPECT_TRUE(s->FixedSwitchOver);
    EXPECT_TRUE(s->PlayScript);
    // Written back, a true Boolean is the full FFFF again.
    EXPECT_EQ(U16At(SerializeSettings(*s), B + 2), 0xFFFF);
}

TEST(ConfigRecord, ShortOrHostileRecordsAreRefused) {
    const std::vector<std::uint8_t> good = SerializeSettings(Settings{});
    EXPECT_FALSE(ParseSettings({}).has_value());
    EXPECT_FALSE(ParseSettings({44}).has_value());
    // One byte short of a whole record, and a cut inside each region.
    for (std::size_t cut : {good.size() - 1, std::size_t{2}, std::size_t{46}, std::size_t{60},
                            std::size_t{100}, std::size_t{2000}}) {
        std::vector<std::uint8_t> shorter(good.begin(), good.begin() + static_cast<long>(cut));
        EXPECT_FALSE(ParseSettings(shorter).has_value()) << "cut at " << cut;
    }
    // Length fields far beyond the bytes at hand.
    EXPECT_FALSE(ParseSettings({0xFF, 0xFF, 'V', 'i'}).has_value());
    std::vector<std::uint8_t> hostileFolder = good;
    hostileFolder[46] = 0xFF;
    hostileFolder[47] = 0xFF;
    EXPECT_FALSE(ParseSettings(hostileFolder).has_value());
}

TEST(ConfigRecord, CopyAllButSignatureKeepsTheTargetSignature) {
    Settings from;
    from.Signature = "other";
    from.GPLFolder = "/games/gpl";
    from.ClickCount = 3;
    from.ClickX[3] = 99;
    from.SafetyLoad = false;
    Settings to;
    CopyAllButSignature(from, to);
    EXPECT_EQ(to.Signature, kSignature);
    EXPECT_EQ(to.GPLFolder, "/games/gpl");
    EXPECT_EQ(to.ClickCount, 3);
    EXPECT_EQ(to.ClickX[3], 99);
    EXPECT_FALSE(to.SafetyLoad);
}

}  // namespace
}  // namespace vx
