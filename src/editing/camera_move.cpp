// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "editing/camera_move.h"

#include <cmath>

#include "editing/camera_set_ops.h"
#include "editing/coverage.h"
#include "editing/field_value.h"

namespace vx {

namespace {

constexpr const char* kNothingMoved = " Nothing was moved.";

MoveOutcome Refuse(std::string text) {
    MoveOutcome outcome;
    outcome.refusal = std::move(text) + kNothingMoved;
    return outcome;
}

std::string Camera(SetId set, int number) {
    return std::string(SetName(set)) + " camera " + std::to_string(number);
}

std::string RangeProblem(const CamDocument& doc, SetId set, const CameraMove& move) {
    const int count = doc.Set(set).Count();
    if (count == 0) return std::string(SetName(set)) + " has no cameras.";
    if (move.first < 1 || move.last > count || move.first > move.last) {
        return std::string(SetName(set)) + " has no cameras " + std::to_string(move.first) +
               " to " + std::to_string(move.last) + " (it holds " + std::to_string(count) + ").";
    }
    if (!std::isfinite(move.amount)) return "The amount to move by is not a finite number.";
    if (move.kind == CameraMove::Kind::Scale && !(move.amount > 0)) {
        return "The scale factor must be above 0.";
    }
    return {};
}

}  // namespace

MoveOutcome MoveCameras(CamDocument& doc, SetId set, const CameraMove& move) {
    if (std::string problem = RangeProblem(doc, set, move); !problem.empty()) {
        return Refuse(problem);
    }
    CameraSet& cameras = doc.Set(set);
    // All new positions first, so that a refusal leaves every camera as it was.
    std::vector<float> positions(static_cast<std::size_t>(cameras.Count()));
    for (int i = 1; i <= cameras.Count(); ++i) {
        const double old = cameras.Camera(i).Float(TvField::Distance);
        const bool moved = i >= move.first && i <= move.last;
        const double target = !moved                                 ? old
                              : move.kind == CameraMove::Kind::Shift ? old + move.amount
                                                                     : old * move.amount;
        const float stored = static_cast<float>(target);
        if (moved && !(stored >= 0.0f && stored <= kMaxDistance)) {
            return Refuse(Camera(set, i) + " would move to " + MetresText(target) +
                          " m, outside 0 to 50000 m.");
        }
        positions[static_cast<std::size_t>(i - 1)] = stored;
    }
    for (int i = 1; i < cameras.Count(); ++i) {
        const bool wasInOrder = cameras.Camera(i + 1).Float(TvField::Distance) >=
                                cameras.Camera(i).Float(TvField::Distance);
        const std::size_t at = static_cast<std::size_t>(i - 1);
        if (wasInOrder && positions[at + 1] < positions[at]) {
            return Refuse(
                i + 1 >= move.first && i + 1 <= move.last
                    ? Camera(set, i + 1) + " would come before camera " + std::to_string(i) + "."
                    : Camera(set, i) + " would come after camera " + std::to_string(i + 1) + ".");
        }
    }
    MoveOutcome outcome;
    outcome.ok = true;
    for (int i = move.first; i <= move.last; ++i) {
        TvCamera& camera = cameras.Camera(i);
        const float old = camera.Float(TvField::Distance);
        const float now = positions[static_cast<std::size_t>(i - 1)];
        camera.SetFloat(TvField::Distance, now);
        const float changeOver = camera.Float(TvField::ChangeOver);
        // A non-finite change-over point gives no shift that means anything.
        if (!move.keepSwitchPoints || !std::isfinite(changeOver)) continue;
        const double wanted = static_cast<double>(changeOver) - (static_cast<double>(now) - old);
        const float kept = ClampChangeOver(wanted);
        camera.SetFloat(TvField::ChangeOver, kept);
        if (kept != static_cast<float>(wanted)) {
            outcome.clamps.push_back(Camera(set, i) + ": change-over point " + MetresText(wanted) +
                                     " m held at " + MetresText(kept) + " m");
        }
    }
    doc.DataSaved = false;
    return outcome;
}

}  // namespace vx
