// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>
#include <QHelpEvent>
#include <QImage>
#include <QLocale>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QToolTip>
#include <cmath>
#include <limits>
#include <memory>

#include "ui/camera_overview.h"

namespace vx {
namespace {

struct Cam {
    float distance;
    float changeOver;  // field 3, relative to the camera
    bool fixed;
};

CameraSet MakeSet(std::initializer_list<Cam> cams) {
    CameraSet set;
    int number = 0;
    for (const Cam& cam : cams) {
        TvCamera& camera = set.Camera(++number);
        camera.SetFloat(0, cam.distance);
        camera.SetFloat(3, cam.changeOver);
        camera.SetInt(TvField::Mode, cam.fixed ? 1 : 0);
    }
    set.SetCount(number);
    return set;
}

class LocaleGuard {
  public:
    explicit LocaleGuard(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(saved_); }

  private:
    QLocale saved_;
};

std::vector<bool> Flags(const OverviewStrip& strip, bool OverviewMark::*flag) {
    std::vector<bool> flags;
    for (const OverviewMark& mark : strip.marks) flags.push_back(mark.*flag);
    return flags;
}

std::vector<double> MarkXs(const OverviewStrip& strip, int width, int margin) {
    std::vector<double> xs;
    for (const OverviewMark& mark : strip.marks) {
        xs.push_back(DistanceToX(strip, mark.distance, width, margin));
    }
    return xs;
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(CameraOverviewModel, MarksStandAtTheirDistancesWithKindAndShownFlag) {
    CameraSet set = MakeSet({{0, 500, true}, {500, 500, false}, {1500, 500, true}});
    // Any non-zero pattern in the mode field is a fixed camera, as a loaded file may hold.
    set.Camera(3).SetInt(TvField::Mode, 2);
    const OverviewStrip strip = BuildOverviewStrip(set, 2);

    ASSERT_EQ(strip.marks.size(), 3u);
    EXPECT_EQ(strip.marks[2].number, 3);
    EXPECT_DOUBLE_EQ(strip.start, 0.0);
    EXPECT_DOUBLE_EQ(strip.end, 2000.0);
    EXPECT_EQ(Flags(strip, &OverviewMark::fixed), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(Flags(strip, &OverviewMark::shown), (std::vector<bool>{false, true, false}));
    EXPECT_DOUBLE_EQ(strip.marks[1].changeOver, 1000.0);

    // 500 usable pixels between margins of 10 over 2000 m.
    EXPECT_EQ(MarkXs(strip, 520, 10), (std::vector<double>{10, 135, 385}));
    // Outside the range a distance lands on the strip's end, never beyond.
    EXPECT_DOUBLE_EQ(DistanceToX(strip, 9000.0, 520, 10), 510.0);

    // A shown number outside the set flags nothing.
    EXPECT_EQ(Flags(BuildOverviewStrip(set, 4), &OverviewMark::shown),
              (std::vector<bool>{false, false, false}));
}

TEST(CameraOverviewModel, RangeCoversEveryCameraAndChangeOverPoint) {
    // A change-over point before the start line widens the strip to the left.
    OverviewStrip strip = BuildOverviewStrip(MakeSet({{100, -300, true}, {800, 50, true}}), 1);
    EXPECT_DOUBLE_EQ(strip.start, -200.0);
    EXPECT_DOUBLE_EQ(strip.end, 850.0);
    EXPECT_DOUBLE_EQ(strip.marks[0].changeOver, -200.0);

    // A large change-over behind the last camera sets the end, not the camera itself.
    strip = BuildOverviewStrip(MakeSet({{0, 10, true}, {1000, 9000, false}}), 1);
    EXPECT_DOUBLE_EQ(strip.start, 0.0);
    EXPECT_DOUBLE_EQ(strip.end, 10000.0);

    // An all-zero set still has a drawable range, and its marks a finite place.
    strip = BuildOverviewStrip(MakeSet({{0, 0, true}, {0, 0, true}}), 1);
    EXPECT_DOUBLE_EQ(strip.start, 0.0);
    EXPECT_DOUBLE_EQ(strip.end, kMinimumOverviewRange);
    EXPECT_DOUBLE_EQ(DistanceToX(strip, 0.0, 300, 10), 10.0);

    // A set without cameras draws an empty strip.
    strip = BuildOverviewStrip(CameraSet{}, 1);
    EXPECT_TRUE(strip.marks.empty());
    EXPECT_GT(strip.end, strip.start);
}

TEST(CameraOverviewModel, CamerasBehindTheirPredecessorAreFlagged) {
    const OverviewStrip strip = BuildOverviewStrip(
        MakeSet({{0, 0, true}, {500, 0, true}, {300, 0, true}, {800, 0, true}, {800, 0, true}}), 1);
    // Two cameras at the same distance are in order.
    EXPECT_EQ(Flags(strip, &OverviewMark::outOfOrder),
              (std::vector<bool>{false, false, true, false, false}));
}

TEST(CameraOverviewModel, ClickPicksTheNearestMarkWithinReach) {
    const OverviewStrip strip = BuildOverviewStrip(
        MakeSet({{0, 0, true}, {500, 0, false}, {500, 0, true}, {1000, 0, true}}), 3);
    // Width 520, margins 10: the marks stand at 10, 260, 260 and 510.
    EXPECT_EQ(CameraAtX(strip, 10, 520, 10), 1);
    EXPECT_EQ(CameraAtX(strip, 510, 520, 10), 4);
    EXPECT_EQ(CameraAtX(strip, 505, 520, 10), 4);
    EXPECT_EQ(CameraAtX(strip, 10 + kOverviewClickTolerance, 520, 10), 1);
    EXPECT_EQ(CameraAtX(strip, 10 + kOverviewClickTolerance + 1, 520, 10), std::nullopt);
    EXPECT_EQ(CameraAtX(strip, 130, 520, 10), std::nullopt);
    // Two marks on one place: the lower number, also while the other one is shown.
    EXPECT_EQ(CameraAtX(strip, 260, 520, 10), 2);
    EXPECT_EQ(CameraAtX(strip, 262, 520, 10), 2);

    // Close neighbours: the nearer one wins, whichever comes first in the set.
    const OverviewStrip close =
        BuildOverviewStrip(MakeSet({{1000, 0, true}, {1016, 0, true}, {2000, 0, true}}), 1);
    const double x1 = DistanceToX(close, 1000, 520, 10);
    const double x2 = DistanceToX(close, 1016, 520, 10);
    ASSERT_LT(x2 - x1, 2 * kOverviewClickTolerance);
    EXPECT_EQ(CameraAtX(close, x2 - 0.5, 520, 10), 2);
    EXPECT_EQ(CameraAtX(close, x1 + 0.5, 520, 10), 1);
}

TEST(CameraOverviewModel, NonFiniteValuesGiveFiniteGeometryAndAFlag) {
    CameraSet set = MakeSet(
        {{500, 100, true}, {kNaN, 0, true}, {300, kInf, false}, {-kInf, 0, true}, {900, 0, true}});
    const OverviewStrip strip = BuildOverviewStrip(set, 2);

    ASSERT_EQ(strip.marks.size(), 5u);
    EXPECT_DOUBLE_EQ(strip.start, 0.0);
    EXPECT_DOUBLE_EQ(strip.end, 900.0);
    for (const OverviewMark& mark : strip.marks) {
        EXPECT_TRUE(std::isfinite(mark.distance)) << mark.number;
        EXPECT_TRUE(std::isfinite(mark.changeOver)) << mark.number;
    }
    EXPECT_EQ(Flags(strip, &OverviewMark::invalid),
              (std::vector<bool>{false, true, true, true, false}));
    // The order check looks past the broken camera: 300 follows 500.
    EXPECT_TRUE(strip.marks[2].outOfOrder);
    EXPECT_FALSE(strip.marks[4].outOfOrder);
    // A camera with an infinite change-over keeps its own place, without a line.
    EXPECT_DOUBLE_EQ(strip.marks[2].distance, 300.0);
    EXPECT_DOUBLE_EQ(strip.marks[2].changeOver, 300.0);
    // Cameras without a distance sit at the start and can still be picked.
    EXPECT_DOUBLE_EQ(strip.marks[1].distance, strip.start);
    EXPECT_EQ(CameraAtX(strip, 10, 400, 10), 2);

    // Finite values at the edge of single precision must not overflow the sum.
    const float huge = std::numeric_limits<float>::max();
    const OverviewStrip wide = BuildOverviewStrip(MakeSet({{huge, huge, true}}), 1);
    EXPECT_FALSE(wide.marks[0].invalid);
    EXPECT_TRUE(std::isfinite(wide.end));
    EXPECT_GT(wide.marks[0].changeOver, wide.marks[0].distance);
    EXPECT_FALSE(OverviewTicks(wide, 600, 10, 70).empty());
}

TEST(CameraOverviewModel, TicksAreRoundMetresSpacedForReading) {
    const OverviewStrip strip = BuildOverviewStrip(MakeSet({{0, 0, true}, {5000, 0, true}}), 1);
    const std::vector<double> ticks = OverviewTicks(strip, 600, 14, 70);
    EXPECT_EQ(ticks, (std::vector<double>{0, 1000, 2000, 3000, 4000, 5000}));

    // A strip that begins before the start line still ticks at round metres.
    const OverviewStrip before =
        BuildOverviewStrip(MakeSet({{100, -350, true}, {700, 0, true}}), 1);
    EXPECT_EQ(OverviewTicks(before, 600, 14, 70), (std::vector<double>{-200, 0, 200, 400, 600}));
}

TEST(CameraOverviewModel, ToolTipNamesDistanceKindAndChangeOver) {
    LocaleGuard c(QLocale::c());
    const OverviewStrip strip = BuildOverviewStrip(
        MakeSet({{0, 0, true}, {0, 0, true}, {120, 20, true}, {12.5f, -20, false}}), 3);
    EXPECT_EQ(MarkToolTip(strip.marks[2]), "Camera 3: 120 m, fixed, change-over at 140 m");
    EXPECT_EQ(MarkToolTip(strip.marks[3]), "Camera 4: 12.5 m, moving, change-over at -7.5 m");
    {
        LocaleGuard german(QLocale(QLocale::German, QLocale::Germany));
        EXPECT_EQ(MarkToolTip(strip.marks[3]), "Camera 4: 12,5 m, moving, change-over at -7,5 m");
    }
    // The stored value is named as it is, not the place the strip gave it.
    const OverviewStrip broken = BuildOverviewStrip(MakeSet({{kNaN, 0, true}}), 1);
    EXPECT_EQ(MarkToolTip(broken.marks[0]), "Camera 1: NaN m, fixed, change-over at NaN m");
}

QColor PixelAt(CameraOverview& overview, int x, int y) {
    return overview.grab().toImage().pixelColor(x, y);
}

CameraOverview::Colours Painted(const CameraOverview& overview) {
    return CameraOverview::ColoursFor(overview.palette());
}

TEST(CameraOverviewWidget, ClickOnAMarkAsksForItsCameraAndShownMarkRepaints) {
    CameraOverview overview("ovTV1");
    EXPECT_EQ(overview.objectName(), "ovTV1");
    overview.resize(600, CameraOverview::kStripHeight);
    overview.ShowSet(MakeSet({{0, 100, true}, {1000, 200, false}, {2000, -300, true}}), 1);
    overview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&overview));
    EXPECT_EQ(overview.height(), CameraOverview::kStripHeight);

    const int markY = (CameraOverview::kMarkTop + CameraOverview::kMarkBottom) / 2;
    const int x2 = overview.MarkX(overview.Strip().marks[1]);
    const int x3 = overview.MarkX(overview.Strip().marks[2]);
    QSignalSpy clicked(&overview, &CameraOverview::cameraClicked);

    QTest::mouseClick(&overview, Qt::LeftButton, {}, QPoint(x2 + 2, markY));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 2);
    // Empty track and other buttons select nothing.
    QTest::mouseClick(&overview, Qt::LeftButton, {}, QPoint((x2 + x3) / 2, markY));
    QTest::mouseClick(&overview, Qt::RightButton, {}, QPoint(x3, markY));
    EXPECT_EQ(clicked.count(), 1);

    // Before: camera 2 in its kind colour; after showing it: the highlight.
    EXPECT_EQ(PixelAt(overview, x2, markY), Painted(overview).moving);
    EXPECT_EQ(PixelAt(overview, x3, markY), Painted(overview).fixed);
    EXPECT_EQ(PixelAt(overview, overview.MarkX(overview.Strip().marks[0]), markY),
              Painted(overview).shown);
    overview.ShowSet(MakeSet({{0, 100, true}, {1000, 200, false}, {2000, -300, true}}), 2);
    EXPECT_EQ(PixelAt(overview, x2, markY), Painted(overview).shown);
    EXPECT_EQ(PixelAt(overview, overview.MarkX(overview.Strip().marks[0]), markY),
              Painted(overview).fixed);
}

TEST(CameraOverviewWidget, FaultsAreOutlinedAndHoverNamesTheCamera) {
    LocaleGuard c(QLocale::c());
    CameraOverview overview("ovTV2");
    overview.resize(600, CameraOverview::kStripHeight);
    overview.ShowSet(MakeSet({{0, 0, true}, {1000, 0, true}, {500, 40, false}}), 1);
    overview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&overview));

    const OverviewMark& late = overview.Strip().marks[2];
    ASSERT_TRUE(late.outOfOrder);
    const int x = overview.MarkX(late);
    // The outline frames the mark just above its top; the mark keeps the kind colour.
    const int markY = (CameraOverview::kMarkTop + CameraOverview::kMarkBottom) / 2;
    EXPECT_EQ(PixelAt(overview, x, CameraOverview::kMarkTop - 1), Painted(overview).fault);
    EXPECT_EQ(PixelAt(overview, x, markY), Painted(overview).moving);
    const int inOrderX = overview.MarkX(overview.Strip().marks[1]);
    EXPECT_NE(PixelAt(overview, inOrderX, CameraOverview::kMarkTop - 1), Painted(overview).fault);
    EXPECT_EQ(PixelAt(overview, inOrderX, markY), Painted(overview).fixed);

    const QPoint at(x, CameraOverview::kMarkTop + 5);
    QHelpEvent hover(QEvent::ToolTip, at, overview.mapToGlobal(at));
    QApplication::sendEvent(&overview, &hover);
    EXPECT_EQ(QToolTip::text(), "Camera 3: 500 m, moving, change-over at 540 m");
    QToolTip::hideText();
}

QPalette FusionPalette() {
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    return fusion->standardPalette();
}

// Fusion with the dark palette a user's colour scheme typically gives it.
QPalette DarkFusionPalette() {
    QPalette dark = FusionPalette();
    dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    dark.setColor(QPalette::Text, Qt::white);
    return dark;
}

TEST(CameraOverviewWidget, LabelsTicksAndMarksStayReadableUnderLightAndDarkSchemes) {
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 0.01);
    EXPECT_NEAR(ContrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.01);

    QPalette dimText = DarkFusionPalette();
    dimText.setColor(QPalette::Text, QColor(0x50, 0x50, 0x50));
    QPalette lightBaseDimText = FusionPalette();
    lightBaseDimText.setColor(QPalette::Text, QColor(0xc0, 0xc0, 0xc0));
    for (const QPalette& palette :
         {FusionPalette(), DarkFusionPalette(), dimText, lightBaseDimText}) {
        const CameraOverview::Colours colours = CameraOverview::ColoursFor(palette);
        const QColor base = palette.color(QPalette::Base);
        EXPECT_EQ(colours.base, base);
        EXPECT_GE(ContrastRatio(colours.line, base), 4.5) << base.name().toStdString();
        for (const QColor& mark : {colours.fixed, colours.moving, colours.fault}) {
            EXPECT_GE(ContrastRatio(mark, base), 3.0)
                << mark.name().toStdString() << " on " << base.name().toStdString();
        }
    }

    // Painted under the dark scheme: the track, its ticks and labels stand out
    // from the background at 4.5:1 at least.
    CameraOverview overview("ovTV1");
    overview.setPalette(DarkFusionPalette());
    overview.resize(600, CameraOverview::kStripHeight);
    overview.ShowSet(MakeSet({{0, 100, true}, {1000, 200, false}}), 1);
    const QImage image = overview.grab().toImage();
    const QColor base = DarkFusionPalette().color(QPalette::Base);
    double strongest = 1.0;
    for (int y = CameraOverview::kMarkBottom + 7; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            strongest = std::max(strongest, ContrastRatio(image.pixelColor(x, y), base));
        }
    }
    EXPECT_EQ(image.pixelColor(0, image.height() - 1), base);
    EXPECT_GE(strongest, 4.5);
}

}  // namespace
}  // namespace vx
