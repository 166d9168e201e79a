// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The overview strip: where its marks stand, which one a click picks, and that it
// stays readable.
#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QImage>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QToolTip>
#include <cmath>
#include <limits>
#include <memory>
#include <random>

#include "ui/camera_overview.h"

namespace vx {
namespace {

struct Cam {
    float distance;
    float changeOver;  // field 3, relative to the camera
    int mode;
};

CameraSet MakeSet(const std::vector<Cam>& cams) {
    CameraSet set;
    int number = 0;
    for (const Cam& cam : cams) {
        TvCamera& camera = set.Camera(++number);
        camera.SetFloat(0, cam.distance);
        camera.SetFloat(3, cam.changeOver);
        camera.SetInt(TvField::Mode, cam.mode);
    }
    set.SetCount(number);
    return set;
}

TEST(CameraOverviewModel, RandomSetsMatchASimpleModelOfPlacesFlagsAndClicks) {
    std::mt19937 random(20261207);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const int width = 520, margin = 10;
    for (int i = 0; i < 300; ++i) {
        std::vector<Cam> cams{{static_cast<float>(pick(1000, 5000)), 0, 1}};
        for (int n = pick(0, 10); n > 0; --n) {
            cams.push_back({static_cast<float>(pick(0, 50) * 100),
                            static_cast<float>(pick(-8, 8) * 75), pick(0, 2)});
        }
        const int shown = pick(0, static_cast<int>(cams.size()) + 1);
        const OverviewStrip strip = BuildOverviewStrip(MakeSet(cams), shown);
        double start = 0, end = 0;
        for (const Cam& c : cams) {
            start = std::min({start, double(c.distance), double(c.distance + c.changeOver)});
            end = std::max({end, double(c.distance), double(c.distance + c.changeOver)});
        }
        ASSERT_DOUBLE_EQ(strip.start, start) << "seed case " << i;
        ASSERT_DOUBLE_EQ(strip.end, end) << "seed case " << i;
        ASSERT_EQ(strip.marks.size(), cams.size()) << "seed case " << i;
        std::vector<double> xs;
        for (std::size_t k = 0; k < cams.size(); ++k) {
            const OverviewMark& mark = strip.marks[k];
            EXPECT_EQ(mark.number, int(k) + 1);
            EXPECT_EQ(mark.fixed, cams[k].mode != 0) << "seed case " << i << " camera " << k + 1;
            EXPECT_EQ(mark.shown, shown == int(k) + 1) << "seed case " << i;
            EXPECT_EQ(mark.outOfOrder, k > 0 && cams[k].distance < cams[k - 1].distance)
                << "seed case " << i << " camera " << k + 1;
            EXPECT_DOUBLE_EQ(mark.changeOver, cams[k].distance + cams[k].changeOver);
            xs.push_back(margin + (mark.distance - start) / (end - start) * (width - 2 * margin));
            EXPECT_NEAR(DistanceToX(strip, mark.distance, width, margin), xs.back(), 1e-9);
        }
        // A click picks the nearest mark within reach, the lowest number of marks on one place.
        for (int x = 0; x < width; x += 3) {
            std::optional<int> nearest;
            double best = 0;
            for (std::size_t k = 0; k < xs.size(); ++k) {
                const double away = std::abs(xs[k] - x);
                if (away <= kOverviewClickTolerance && (!nearest || away < best)) {
                    best = away;
                    nearest = int(k) + 1;
                }
            }
            ASSERT_EQ(CameraAtX(strip, x, width, margin), nearest)
                << "seed case " << i << " x " << x;
        }
    }
}

TEST(CameraOverviewModel, NonFiniteAndExtremeValuesGiveFiniteGeometryAndAFlag) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const OverviewStrip strip = BuildOverviewStrip(
        MakeSet({{500, 100, 1}, {nan, 0, 1}, {300, inf, 0}, {-inf, 0, 1}, {900, 0, 1}}), 2);
    EXPECT_DOUBLE_EQ(strip.start, 0.0);
    EXPECT_DOUBLE_EQ(strip.end, 900.0);
    const bool invalid[] = {false, true, true, true, false};
    for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(strip.marks[k].invalid, invalid[k]) << k;
    EXPECT_TRUE(strip.marks[2].outOfOrder) << "the order check looks past the broken camera";
    EXPECT_FALSE(strip.marks[4].outOfOrder);
    EXPECT_DOUBLE_EQ(strip.marks[2].changeOver, 300.0) << "no line to infinity";
    EXPECT_EQ(CameraAtX(strip, 10, 400, 10), 2) << "without a distance: at the start";
    EXPECT_EQ(MarkToolTip(strip.marks[1]), "Camera 2: NaN m, fixed, change-over at NaN m");
    const float huge = std::numeric_limits<float>::max();
    const OverviewStrip wide = BuildOverviewStrip(MakeSet({{huge, huge, 1}}), 1);
    EXPECT_TRUE(std::isfinite(wide.end) && !wide.marks[0].invalid);
    EXPECT_EQ(
        OverviewTicks(BuildOverviewStrip(MakeSet({{100, -350, 1}, {700, 0, 1}}), 1), 600, 14, 70),
        (std::vector<double>{-200, 0, 200, 400, 600}));
    EXPECT_DOUBLE_EQ(BuildOverviewStrip(MakeSet({{0, 0, 1}}), 1).end, kMinimumOverviewRange);
}

QColor PixelAt(CameraOverview& overview, int x, int y) {
    return overview.grab().toImage().pixelColor(x, y);
}

TEST(CameraOverviewWidget, ClickAsksForTheCameraAndMarksShowKindShownAndFault) {
    CameraOverview overview("ovTV1");
    overview.resize(600, CameraOverview::kStripHeight);
    overview.ShowSet(MakeSet({{0, 100, 1}, {1000, 200, 0}, {500, 40, 0}}), 1);
    overview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&overview));
    const CameraOverview::Colours colours = CameraOverview::ColoursFor(overview.palette());
    const int y = (CameraOverview::kMarkTop + CameraOverview::kMarkBottom) / 2;
    const int x1 = overview.MarkX(overview.Strip().marks[0]);
    const int x2 = overview.MarkX(overview.Strip().marks[1]);
    const int x3 = overview.MarkX(overview.Strip().marks[2]);
    QSignalSpy clicked(&overview, &CameraOverview::cameraClicked);
    QTest::mouseClick(&overview, Qt::LeftButton, {}, QPoint(x2 + 2, y));
    QTest::mouseClick(&overview, Qt::LeftButton, {}, QPoint((x2 + x3) / 2, y));
    QTest::mouseClick(&overview, Qt::RightButton, {}, QPoint(x3, y));
    ASSERT_EQ(clicked.count(), 1) << "empty track and other buttons select nothing";
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 2);

    EXPECT_EQ(PixelAt(overview, x1, y), colours.shown);
    EXPECT_EQ(PixelAt(overview, x2, y), colours.moving);
    EXPECT_EQ(PixelAt(overview, x3, CameraOverview::kMarkTop - 1), colours.fault);
    EXPECT_NE(PixelAt(overview, x2, CameraOverview::kMarkTop - 1), colours.fault);
    overview.ShowSet(MakeSet({{0, 100, 1}, {1000, 200, 0}, {500, 40, 0}}), 2);
    EXPECT_EQ(PixelAt(overview, x1, y), colours.fixed);

    const QPoint at(x3, CameraOverview::kMarkTop + 5);
    QHelpEvent hover(QEvent::ToolTip, at, overview.mapToGlobal(at));
    QApplication::sendEvent(&overview, &hover);
    EXPECT_EQ(QToolTip::text(), "Camera 3: 500 m, moving, change-over at 540 m");
    QToolTip::hideText();
}

TEST(CameraOverviewWidget, LinesAndMarksStayReadableUnderLightAndDarkSchemes) {
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 0.01);
    EXPECT_NEAR(ContrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.01);
    const QPalette light =
        std::unique_ptr<QStyle>(QStyleFactory::create("Fusion"))->standardPalette();
    QPalette dark = light;
    dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    dark.setColor(QPalette::Text, Qt::white);
    QPalette dimOnDark = dark, dimOnLight = light;
    dimOnDark.setColor(QPalette::Text, QColor(0x50, 0x50, 0x50));
    dimOnLight.setColor(QPalette::Text, QColor(0xc0, 0xc0, 0xc0));
    for (const QPalette& palette : {light, dark, dimOnDark, dimOnLight}) {
        const CameraOverview::Colours colours = CameraOverview::ColoursFor(palette);
        const QColor base = palette.color(QPalette::Base);
        EXPECT_EQ(colours.base, base);
        EXPECT_GE(ContrastRatio(colours.line, base), 4.5) << base.name().toStdString();
        for (const QColor& mark : {colours.fixed, colours.moving, colours.fault}) {
            EXPECT_GE(ContrastRatio(mark, base), 3.0) << mark.name().toStdString();
        }
    }
}

}  // namespace
}  // namespace vx
