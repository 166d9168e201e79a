// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "editing/coverage.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vx {

namespace {

// The reading of the change-over point: the game changes to a camera this far after
// its own position (a negative value: before the car reaches it).
constexpr double kChangeOverDirection = +1.0;

bool Counted(const TvCamera& camera) {
    return std::isfinite(camera.Float(TvField::Distance)) &&
           std::isfinite(camera.Float(TvField::ChangeOver));
}

// How far `point` lies outside the stretch [from, from + length] on a lap of length
// `lap`, measured either way round.
double GapToStretch(double point, double from, double length, double lap) {
    if (length >= lap) return 0;
    const double along = std::fmod(std::fmod(point - from, lap) + lap, lap);
    if (along <= length) return 0;
    return std::min(along - length, lap - along);
}

std::string At(double metres) { return MetresText(metres) + " m"; }

void AddFinding(CameraCoverage& camera, FindingKind kind, std::string text) {
    camera.findings.push_back({kind, std::move(text)});
}

void FindNonFinite(const TvCamera& record, CameraCoverage& camera) {
    for (const auto& [field, name] : {std::pair{TvField::Distance, "position"},
                                      std::pair{TvField::ChangeOver, "change-over point"}}) {
        if (!std::isfinite(record.Float(field))) {
            AddFinding(camera, FindingKind::NotFinite,
                       std::string(name) + " is not a finite number (" +
                           MetresText(record.Float(field)) + ")");
        }
    }
}

// Stretches of the counted cameras, in the set's order, the last one across the line.
void AssignStretches(std::vector<CameraCoverage>& cameras, double lap) {
    std::vector<CameraCoverage*> counted;
    for (CameraCoverage& camera : cameras) {
        if (camera.counted) counted.push_back(&camera);
    }
    for (std::size_t i = 0; i < counted.size(); ++i) {
        CameraCoverage& camera = *counted[i];
        const bool last = i + 1 == counted.size();
        const CameraCoverage& next = last ? *counted.front() : *counted[i + 1];
        camera.liveFrom = camera.switchPoint;
        camera.liveTo = last ? lap + next.switchPoint : next.switchPoint;
        if (camera.Length() <= 0) {
            AddFinding(camera, FindingKind::NeverLive,
                       "never live: camera " + std::to_string(next.number) + " takes over at " +
                           At(camera.liveTo) + ", not after its switch point at " +
                           At(camera.switchPoint));
        }
    }
}

}  // namespace

double SwitchPoint(float position, float changeOver) {
    return static_cast<double>(position) + kChangeOverDirection * static_cast<double>(changeOver);
}

LapLength EstimatedLapLength(const CamDocument& doc) {
    double largest = 0;
    for (SetId id : {SetId::TV1, SetId::TV2}) {
        const CameraSet& set = doc.Set(id);
        for (int i = 1; i <= set.Count(); ++i) {
            const TvCamera& camera = set.Camera(i);
            if (!Counted(camera)) continue;
            const float position = camera.Float(TvField::Distance);
            largest = std::max({largest, static_cast<double>(position),
                                SwitchPoint(position, camera.Float(TvField::ChangeOver))});
        }
    }
    return {100.0 * (std::floor(largest / 100.0) + 1.0), true};
}

SetCoverage CoverageOf(const CamDocument& doc, SetId id, LapLength lap, double farLimit) {
    const CameraSet& set = doc.Set(id);
    SetCoverage coverage{id, lap, {}};
    for (int i = 1; i <= set.Count(); ++i) {
        const TvCamera& record = set.Camera(i);
        CameraCoverage camera;
        camera.number = i;
        camera.position = record.Float(TvField::Distance);
        camera.counted = Counted(record);
        camera.switchPoint = camera.counted
                                 ? SwitchPoint(camera.position, record.Float(TvField::ChangeOver))
                                 : std::nan("");
        FindNonFinite(record, camera);
        // The same rule as the file check: strictly before the camera in front.
        if (i > 1 && camera.position < set.Camera(i - 1).Float(TvField::Distance)) {
            AddFinding(camera, FindingKind::OutOfOrder,
                       "position " + At(camera.position) + " lies before camera " +
                           std::to_string(i - 1) + " at " +
                           At(set.Camera(i - 1).Float(TvField::Distance)));
        }
        coverage.cameras.push_back(std::move(camera));
    }
    AssignStretches(coverage.cameras, lap.metres);
    for (CameraCoverage& camera : coverage.cameras) {
        if (!camera.counted) continue;
        if (camera.switchPoint > lap.metres) {
            AddFinding(camera, FindingKind::BeyondLap,
                       "switch point " + At(camera.switchPoint) + " lies beyond the lap length " +
                           At(lap.metres));
        }
        if (!camera.Live()) continue;
        const double gap =
            GapToStretch(camera.position, camera.liveFrom, camera.Length(), lap.metres);
        if (gap > farLimit) {
            AddFinding(
                camera, FindingKind::FarFromStretch,
                "stands " + At(gap) + " outside its live stretch (limit " + At(farLimit) + ")");
        }
    }
    return coverage;
}

std::string MetresText(double metres) {
    if (std::isnan(metres)) return "nan";
    if (std::isinf(metres)) return metres < 0 ? "-inf" : "inf";
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, metres, std::chars_format::fixed, 3);
    std::string text(buffer, result.ptr);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text == "-0" ? "0" : text;
}

}  // namespace vx
