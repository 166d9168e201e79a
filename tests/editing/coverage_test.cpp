// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// Live stretches and their findings, and moving many cameras at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <vector>

#include "editing/camera_move.h"
#include "editing/coverage.h"

namespace vx {
namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN(), kInf = HUGE_VALF;

void SetCameras(CamDocument& doc, SetId id, const std::vector<std::pair<float, float>>& cameras) {
    CameraSet& set = doc.Set(id);
    set.SetCount(static_cast<int>(cameras.size()));
    for (std::size_t i = 0; i < cameras.size(); ++i) {
        set.Cameras[i].SetFloat(TvField::Distance, cameras[i].first);
        set.Cameras[i].SetFloat(TvField::ChangeOver, cameras[i].second);
        set.Cameras[i].SetRaw(TvField::Unknown13, static_cast<std::uint32_t>(i));
    }
}

std::string Describe(const std::vector<std::pair<float, float>>& cameras, double lap) {
    std::ostringstream text;
    text << "lap " << lap << ", cameras (position, change-over):";
    for (const auto& [p, c] : cameras) text << " (" << p << ", " << c << ")";
    return text.str();
}

// The model: stretches between consecutive finite switch points, the last one wrapped by
// one lap; the distance to a stretch as the nearest of its copies one or two laps away.
std::vector<std::vector<FindingKind>> ModelFindings(
    const std::vector<std::pair<float, float>>& cameras, double lap, double far) {
    std::vector<std::vector<FindingKind>> kinds(cameras.size());
    std::vector<std::size_t> counted;
    for (std::size_t i = 0; i < cameras.size(); ++i) {
        const auto [p, c] = cameras[i];
        if (!std::isfinite(p) || !std::isfinite(c)) {
            kinds[i].insert(kinds[i].end(), std::isfinite(p) + std::isfinite(c) == 0 ? 2 : 1,
                            FindingKind::NotFinite);
        } else {
            counted.push_back(i);
        }
        if (i > 0 && p < cameras[i - 1].first) kinds[i].push_back(FindingKind::OutOfOrder);
    }
    for (std::size_t j = 0; j < counted.size(); ++j) {
        const std::size_t i = counted[j], next = counted[(j + 1) % counted.size()];
        const double from = cameras[i].first + double{cameras[i].second};
        const double to = cameras[next].first + double{cameras[next].second} +
                          (j + 1 == counted.size() ? lap : 0);
        if (to <= from) kinds[i].push_back(FindingKind::NeverLive);
        if (from > lap) kinds[i].push_back(FindingKind::BeyondLap);
        if (to <= from || to - from >= lap) continue;
        double gap = HUGE_VAL;
        for (int k = -2; k <= 2; ++k) {
            const double p = cameras[i].first + k * lap;
            gap = std::min(gap, p < from ? from - p : p > to ? p - to : 0.0);
        }
        if (gap > far) kinds[i].push_back(FindingKind::FarFromStretch);
    }
    return kinds;
}

TEST(Coverage, RandomSetsMatchAModelOfStretchesAndFindings) {
    std::mt19937 random(24);
    for (int round = 0; round < 400; ++round) {
        std::vector<std::pair<float, float>> cameras(random() % 7);
        const float odd[] = {kNaN, kInf, -kInf};
        for (auto& [p, c] : cameras) {
            p = random() % 12 ? 10.0f * (random() % 200) : odd[random() % 3];
            c = random() % 12 ? 10.0f * (static_cast<int>(random() % 300) - 150)
                              : odd[random() % 3];
        }
        if (round % 3 == 0) std::sort(cameras.begin(), cameras.end());
        CamDocument doc;
        NewDocument(doc);
        SetCameras(doc, SetId::TV2, cameras);
        SetCameras(doc, SetId::TV1, {{10.0f * (random() % 300), 0.0f}});
        const bool given = round % 2;
        double largest = doc.TV1.Camera(1).Float(0);
        for (const auto& [p, c] : cameras) {
            if (std::isfinite(p) && std::isfinite(c))
                largest = std::max({largest, double{p}, p + double{c}});
        }
        const LapLength lap = given ? LapLength{100.0 + 10 * (random() % 250), false}
                                    : LapLength{100 * std::floor(largest / 100) + 100, true};
        const double far = 10.0 * (random() % 150);
        SCOPED_TRACE(Describe(cameras, lap.metres));
        if (!given) {
            ASSERT_EQ(EstimatedLapLength(doc).metres, lap.metres);
        }
        const SetCoverage coverage = CoverageOf(doc, SetId::TV2, lap, far);
        const auto expected = ModelFindings(cameras, lap.metres, far);
        ASSERT_EQ(coverage.cameras.size(), cameras.size());
        for (std::size_t i = 0; i < cameras.size(); ++i) {
            const CameraCoverage& camera = coverage.cameras[i];
            std::vector<FindingKind> kinds;
            for (const CoverageFinding& finding : camera.findings) kinds.push_back(finding.kind);
            std::sort(kinds.begin(), kinds.end());
            std::vector<FindingKind> want = expected[i];
            std::sort(want.begin(), want.end());
            ASSERT_EQ(kinds, want) << "camera " << i + 1;
            if (camera.counted) {
                ASSERT_EQ(camera.liveFrom, cameras[i].first + double{cameras[i].second});
            }
        }
    }
    CamDocument start;
    NewDocument(start);
    EXPECT_EQ(EstimatedLapLength(start).metres, 100.0) << "a camera at 0 gets a 100 m lap";
    EXPECT_TRUE(
        CoverageOf(start, SetId::TV1, EstimatedLapLength(start)).cameras[0].findings.empty());
}

// Whole-set moves there and back; positions exact in single precision come back to the bit.
TEST(MoveCameras, ThereAndBackRestoresPositionsAndRefusalsChangeNothing) {
    std::mt19937 random(2412);
    for (int round = 0; round < 300; ++round) {
        const bool exact = round % 2 == 0;
        const int count = 1 + static_cast<int>(random() % 8);
        std::vector<std::pair<float, float>> cameras(static_cast<std::size_t>(count));
        std::uniform_real_distribution<double> anywhere(0, 50000), shift(-60000, 60000);
        for (auto& [p, c] : cameras) {
            p = exact ? (random() % 400000) / 8.0f : static_cast<float>(anywhere(random));
            c = (static_cast<int>(random() % 64000) - 32000) / 8.0f;
        }
        std::sort(cameras.begin(), cameras.end());
        CamDocument doc;
        NewDocument(doc);
        SetCameras(doc, SetId::TV1, cameras);
        const CamDocument original = doc;
        CameraMove move;
        move.first = 1 + static_cast<int>(random() % count);
        move.last = move.first + static_cast<int>(random() % (count - move.first + 1));
        move.amount = exact ? (static_cast<int>(random() % 800000) - 400000) / 8.0 : shift(random);
        move.keepSwitchPoints = random() % 2;
        bool fits = true;
        for (int i = 1; i <= count; ++i) {
            const bool moved = i >= move.first && i <= move.last;
            const float now = static_cast<float>(cameras[i - 1].first + (moved ? move.amount : 0));
            const float before =
                i == 1 ? -HUGE_VALF
                       : static_cast<float>(
                             cameras[i - 2].first +
                             (i - 1 >= move.first && i - 1 <= move.last ? move.amount : 0));
            fits = fits && (!moved || (now >= 0 && now <= 50000)) && now >= before;
        }
        SCOPED_TRACE(Describe(cameras, 0) + " moved " + std::to_string(move.first) + "-" +
                     std::to_string(move.last) + " by " + std::to_string(move.amount));
        const MoveOutcome there = MoveCameras(doc, SetId::TV1, move);
        ASSERT_EQ(there.ok, fits) << there.refusal;
        if (!there.ok) {
            ASSERT_TRUE(doc.SameContent(original));
            continue;
        }
        std::size_t clamps = 0;
        for (int i = move.first; i <= move.last; ++i) {
            const double moved = double{doc.TV1.Camera(i).Float(0)} - cameras[i - 1].first;
            const double wanted = cameras[i - 1].second - moved;
            const double kept = move.keepSwitchPoints ? std::clamp(wanted, -10000.0, 10000.0)
                                                      : cameras[i - 1].second;
            ASSERT_EQ(doc.TV1.Camera(i).Float(TvField::ChangeOver), static_cast<float>(kept));
            clamps += move.keepSwitchPoints && std::fabs(wanted) > 10000;
        }
        ASSERT_EQ(there.clamps.size(), clamps);
        move.amount = -move.amount;
        ASSERT_TRUE(MoveCameras(doc, SetId::TV1, move).ok);
        for (int i = 1; i <= count; ++i) {
            const float was = original.TV1.Camera(i).Float(0), is = doc.TV1.Camera(i).Float(0);
            const float far =
                std::max(std::fabs(was), std::fabs(static_cast<float>(was - move.amount)));
            ASSERT_LE(std::fabs(is - was), exact ? 0.0f : std::nextafter(far, HUGE_VALF) - far)
                << "camera " << i;
        }
        if (exact && clamps == 0) {
            ASSERT_TRUE(doc.SameContent(original)) << "switch points came back too";
        }
    }
}

}  // namespace
}  // namespace vx
