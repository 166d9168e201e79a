// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The parts the pages are built from: stepper, strip, camera clipboard.
#include <gtest/gtest.h>

#include <QImage>
#include <QMimeData>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <random>
#include <tuple>
#include <utility>

#include "editing/camera_set_ops.h"
#include "support/sample_camera.h"
#include "ui/editor/camera_clipboard.h"
#include "ui/widgets/camera_overview.h"
#include "ui/widgets/value_stepper.h"

namespace vx {
namespace {

// A page of steps (the keys' ten) stops at the end of the range instead.
TEST(ValueStepper, OnlyAnArrowClickIsAStepAndAStepBeyondTheRangeIsNone) {
    ValueStepper stepper;
    stepper.resize(16, 20);
    QSignalSpy steps(&stepper, &ValueStepper::stepped);
    stepper.SetRange(-1000, 1200);
    stepper.SetIncrement(500);
    stepper.SetPosition(800);
    QTest::mouseClick(stepper.DownArrow(), Qt::LeftButton);
    QTest::mouseClick(stepper.UpArrow(), Qt::LeftButton);
    QTest::mouseClick(stepper.UpArrow(), Qt::LeftButton);  // to 1300, beyond the end
    ASSERT_EQ(steps.count(), 2) << "positioning by the program is no step";
    EXPECT_EQ(steps.at(0).at(0).toInt(), 300);
    EXPECT_EQ(stepper.Position(), 800);
    stepper.StepBy(-10);
    stepper.StepBy(-10);
    EXPECT_EQ(steps.count(), 3);
    EXPECT_EQ(stepper.Position(), -1000);
}

struct Cam {
    float distance, changeOver;  // the change-over relative to the camera
    int mode;
};

CameraSet MakeSet(const std::vector<Cam>& cams) {
    CameraSet set;
    set.SetCount(static_cast<int>(cams.size()));
    for (std::size_t k = 0; k < cams.size(); ++k) {
        set.Cameras[k].SetFloat(0, cams[k].distance);
        set.Cameras[k].SetFloat(3, cams[k].changeOver);
        set.Cameras[k].SetInt(TvField::Mode, cams[k].mode);
    }
    return set;
}

// Cameras without a finite place are flagged, sit at the start and are no order fault.
// A click picks the nearest mark within reach, the lowest number of a place.
TEST(CameraOverviewModel, RandomSetsMatchASimpleModelAndTicksTooltipsAndRangeFit) {
    std::mt19937 random(20261207);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const float odd[] = {std::numeric_limits<float>::quiet_NaN(),
                         -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::max(),
                         std::numeric_limits<float>::infinity()};
    const int width = 520, margin = 10;
    for (int i = 0; i < 300; ++i) {
        std::vector<Cam> cams{{static_cast<float>(pick(1000, 5000)), 0, 1}};
        for (int n = pick(0, 10); n > 0; --n) {
            cams.push_back({static_cast<float>(pick(0, 50) * 100),
                            static_cast<float>(pick(-8, 8) * 75), pick(0, 2)});
            if (pick(0, 9) == 0) cams.back().distance = odd[pick(0, 2)];
            if (pick(0, 9) == 0) cams.back().changeOver = odd[pick(2, 3)];
        }
        const int shown = pick(0, static_cast<int>(cams.size()) + 1);
        const OverviewStrip strip = BuildOverviewStrip(MakeSet(cams), shown);
        std::vector<double> places, changeOvers;  // NaN: no finite place
        double start = 0, end = 0;
        for (const Cam& c : cams) {
            const double place = c.distance, sum = place + c.changeOver;
            places.push_back(std::isfinite(place) ? place : NAN);
            changeOvers.push_back(std::isfinite(sum) ? sum : places.back());
            if (!std::isfinite(place)) continue;
            start = std::min({start, place, changeOvers.back()});
            end = std::max({end, place, changeOvers.back()});
        }
        ASSERT_TRUE(strip.start == start && strip.end == end && strip.marks.size() == cams.size())
            << "seed case " << i;
        std::optional<double> previous;
        for (std::size_t k = 0; k < cams.size(); ++k) {
            const OverviewMark& mark = strip.marks[k];
            const bool placed = !std::isnan(places[k]);
            EXPECT_EQ(
                std::tuple(mark.number, mark.fixed, mark.shown, mark.invalid, mark.outOfOrder),
                std::tuple(int(k) + 1, cams[k].mode != 0, shown == int(k) + 1,
                           changeOvers[k] != double(cams[k].distance) + cams[k].changeOver,
                           placed && previous && places[k] < *previous))
                << "seed case " << i << " camera " << k + 1;
            if (placed) previous = places[k];
            EXPECT_DOUBLE_EQ(mark.distance, placed ? places[k] : start) << "seed case " << i;
            EXPECT_DOUBLE_EQ(mark.changeOver, placed ? changeOvers[k] : start) << "seed case " << i;
        }
        for (int x = 0; x < width; x += 3) {
            std::optional<int> nearest;
            double best = 0;
            for (std::size_t k = 0; k < cams.size(); ++k) {
                const double away = std::abs(
                    margin +
                    (strip.marks[k].distance - start) / (end - start) * (width - 2 * margin) - x);
                if (away <= kOverviewClickTolerance && (!nearest || away < best)) {
                    best = away;
                    nearest = int(k) + 1;
                }
            }
            ASSERT_EQ(CameraAtX(strip, x, width, margin), nearest)
                << "seed case " << i << " x " << x;
        }
    }
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(MarkToolTip(BuildOverviewStrip(MakeSet({{nan, 0, 1}}), 1).marks[0]),
              "Camera 1: NaN m, fixed, change-over at NaN m");
    EXPECT_EQ(
        OverviewTicks(BuildOverviewStrip(MakeSet({{100, -350, 1}, {700, 0, 1}}), 1), 600, 14, 70),
        (std::vector<double>{-200, 0, 200, 400, 600}));
    EXPECT_DOUBLE_EQ(BuildOverviewStrip(MakeSet({{0, 0, 1}}), 1).end, kMinimumOverviewRange);
}

TEST(CameraOverviewWidget, ClickAsksForTheCameraAndMarksShowKindShownAndFaultReadably) {
    CameraOverview overview("ovTV1");
    overview.resize(600, CameraOverview::kStripHeight);
    const CameraSet set = MakeSet({{0, 100, 1}, {1000, 200, 0}, {500, 40, 0}});
    overview.ShowSet(set, 1);
    overview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&overview));
    const CameraOverview::Colours colours = CameraOverview::ColoursFor(overview.palette());
    const int y = (CameraOverview::kMarkTop + CameraOverview::kMarkBottom) / 2;
    const int top = CameraOverview::kMarkTop - 1;
    int x[3];
    for (int k = 0; k < 3; ++k) x[k] = overview.MarkX(overview.Strip().marks[k]);
    auto pixel = [&](int at, int h) { return overview.grab().toImage().pixelColor(at, h); };
    QSignalSpy clicked(&overview, &CameraOverview::cameraClicked);
    QTest::mouseClick(&overview, Qt::LeftButton, {}, QPoint(x[1] + 2, y));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 2);
    EXPECT_EQ(pixel(x[0], y), colours.shown);
    EXPECT_EQ(pixel(x[1], y), colours.moving);
    EXPECT_EQ(pixel(x[2], top), colours.fault);
    EXPECT_NE(pixel(x[1], top), colours.fault);
    overview.ShowSet(set, 2);
    EXPECT_EQ(pixel(x[0], y), colours.fixed);
    EXPECT_NEAR(ContrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.01);
    const QPalette light =
        std::unique_ptr<QStyle>(QStyleFactory::create("Fusion"))->standardPalette();
    QPalette dark = light;
    dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    dark.setColor(QPalette::Text, Qt::white);
    for (const QPalette& palette : {light, dark}) {
        const CameraOverview::Colours scheme = CameraOverview::ColoursFor(palette);
        const QColor base = palette.color(QPalette::Base);
        EXPECT_GE(ContrastRatio(scheme.line, base), 4.5) << base.name().toStdString();
        for (const QColor& mark : {scheme.fixed, scheme.moving, scheme.fault}) {
            EXPECT_GE(ContrastRatio(mark, base), 3.0) << mark.name().toStdString();
        }
    }
}

}  // namespace
}  // namespace vx
