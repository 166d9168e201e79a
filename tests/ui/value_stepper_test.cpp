// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The up/down control beside every value and camera number.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "ui/value_stepper.h"

namespace vx {
namespace {

TEST(ValueStepper, OnlyArrowClicksAreStepsAndTheyStopAtTheEnds) {
    ValueStepper stepper;
    stepper.resize(16, 20);
    stepper.SetRange(-200000, 200000);
    stepper.SetIncrement(1000);
    QSignalSpy steps(&stepper, &ValueStepper::stepped);

    stepper.SetPosition(12346);
    EXPECT_EQ(steps.count(), 0) << "positioning by the program is no step";
    QTest::mouseClick(stepper.UpArrow(), Qt::LeftButton);
    ASSERT_EQ(steps.count(), 1) << "and it does not eat the next click";
    EXPECT_EQ(steps.takeFirst().at(0).toInt(), 13346);

    stepper.SetPosition(199500);
    QTest::mouseClick(stepper.UpArrow(), Qt::LeftButton);
    EXPECT_EQ(steps.count(), 0) << "a click past the end does nothing";
    EXPECT_EQ(stepper.Position(), 199500);
    QTest::mouseClick(stepper.DownArrow(), Qt::LeftButton);
    ASSERT_EQ(steps.count(), 1);
    EXPECT_EQ(steps.takeFirst().at(0).toInt(), 198500);

    stepper.SetPosition(-200000);
    QTest::mouseClick(stepper.DownArrow(), Qt::LeftButton);
    EXPECT_EQ(steps.count(), 0) << "no wrapping round";
}

TEST(ValueStepper, PositionsOutsideTheRangeSitAtItsEnd) {
    ValueStepper stepper;
    stepper.resize(16, 20);
    stepper.SetRange(0, 50000000);
    stepper.SetIncrement(1000);
    QSignalSpy steps(&stepper, &ValueStepper::stepped);
    stepper.SetPosition(60000000);
    EXPECT_EQ(stepper.Position(), 50000000);
    QTest::mouseClick(stepper.DownArrow(), Qt::LeftButton);
    ASSERT_EQ(steps.count(), 1);
    EXPECT_EQ(steps.takeFirst().at(0).toInt(), 49999000);

    // The camera-number spinner follows the count as it changes.
    stepper.SetRange(1, 3);
    stepper.SetIncrement(1);
    EXPECT_EQ(stepper.Position(), 3);
    stepper.SetRange(1, 1);
    QTest::mouseClick(stepper.UpArrow(), Qt::LeftButton);
    QTest::mouseClick(stepper.DownArrow(), Qt::LeftButton);
    EXPECT_EQ(steps.count(), 0);
}

}  // namespace
}  // namespace vx
