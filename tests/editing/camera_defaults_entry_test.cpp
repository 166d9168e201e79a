// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "editing/camera_defaults_entry.h"

#include <gtest/gtest.h>

#include <QLocale>

#include "editing/field_value.h"
#include "editing/locale_number.h"
#include "settings/settings.h"

namespace vx {
namespace {

class DefaultValuesTest : public ::testing::Test {
  protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    CameraDefaults defaults = FactoryCameraDefaults();
};

TEST_F(DefaultValuesTest, ZoomFactorsStartAtTheSingleNearestToOneThousandth) {
    ASSERT_TRUE(EnterDefaultValue(defaults, 6, "0.001"));
    EXPECT_EQ(defaults[6], FloatBits(0.001f));
    const CameraDefaults before = defaults;
    EXPECT_FALSE(EnterDefaultValue(defaults, 7, "0.0009"));
    EXPECT_FALSE(EnterDefaultValue(defaults, 7, ""));
    EXPECT_EQ(defaults, before) << "a refused entry must leave every cell as it was";
}

TEST_F(DefaultValuesTest, LengthsKeepTheirBoundsIncluded) {
    EXPECT_TRUE(EnterDefaultValue(defaults, 0, "1000"));
    EXPECT_EQ(defaults[0], FloatBits(1000.0f));
    EXPECT_FALSE(EnterDefaultValue(defaults, 0, "-1"));
    EXPECT_FALSE(EnterDefaultValue(defaults, 0, "1000.5"));
    EXPECT_EQ(defaults[0], FloatBits(1000.0f));

    EXPECT_TRUE(EnterDefaultValue(defaults, 1, "-200"));
    EXPECT_FALSE(EnterDefaultValue(defaults, 1, "-201"));
    EXPECT_TRUE(EnterDefaultValue(defaults, 2, "0"));
    EXPECT_FALSE(EnterDefaultValue(defaults, 2, "-0.5"));
    EXPECT_TRUE(EnterDefaultValue(defaults, 3, "-10000"));
    EXPECT_FALSE(EnterDefaultValue(defaults, 3, "10001"));
    EXPECT_EQ(defaults[3], FloatBits(-10000.0f));
}

TEST_F(DefaultValuesTest, TooLargeForASingleIsNoNumber) {
    EXPECT_FALSE(EnterDefaultValue(defaults, 3, "1e39"));
    EXPECT_FALSE(EnterDefaultValue(defaults, 3, "-1e300"));
    EXPECT_EQ(defaults, FactoryCameraDefaults());
}

TEST_F(DefaultValuesTest, AngleRangesAndTheirConversion) {
    EXPECT_FALSE(EnterDefaultValue(defaults, 11, "-1"));
    EXPECT_TRUE(EnterDefaultValue(defaults, 8, "-180"));
    EXPECT_EQ(defaults[8], FloatBits(static_cast<float>(-180.0 * kPi / 180.0)));
    EXPECT_FALSE(EnterDefaultValue(defaults, 9, "-180.5"));
    EXPECT_TRUE(EnterDefaultValue(defaults, 10, "180"));
    // The factory angle and the one stored for a typed 90 are the same pattern.
    EXPECT_TRUE(EnterDefaultValue(defaults, 11, "90"));
    EXPECT_EQ(defaults[11], 0x3FC90FDBu);
}

TEST_F(DefaultValuesTest, ShownTextsRoundAsLoadedAndRestoreThePlainNumber) {
    defaults[1] = FloatBits(1.23456f);
    defaults[2] = FloatBits(0.0625f);  // an exact half at the third decimal goes to even
    defaults[9] = FloatBits(static_cast<float>(-0.3 * kPi / 180.0));
    EXPECT_EQ(DefaultValueLoadText(defaults, 1), "1.235");
    EXPECT_EQ(DefaultValueLoadText(defaults, 2), "0.062");
    EXPECT_EQ(DefaultValueLoadText(defaults, 5), "0.1");
    EXPECT_EQ(DefaultValueLoadText(defaults, 9), "0") << "no minus sign on a rounded zero";
    EXPECT_EQ(DefaultValueRestoreText(defaults, 1), "1.23456");
    EXPECT_EQ(DefaultValueRestoreText(defaults, 5), "0.1");
}

TEST_F(DefaultValuesTest, OnlyExactlyMinusOneIsTheMiddle) {
    defaults[0] = FloatBits(37.5f);
    EXPECT_EQ(ChooseDistancePlacement(defaults), "37.5") << "a distance set is kept";
    EXPECT_EQ(defaults[0], FloatBits(37.5f));
    defaults[0] = FloatBits(-1.0000001f);
    EXPECT_FALSE(IsMiddlePlacement(defaults));
}

}  // namespace
}  // namespace vx
