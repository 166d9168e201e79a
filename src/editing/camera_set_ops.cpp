// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "editing/camera_set_ops.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "editing/field_table.h"
#include "editing/locale_number.h"

namespace vx {

namespace {

std::string SetText(const char* before, SetId set, const char* after) {
    return std::string(before) + SetName(set) + after;
}

// Loaded files may hold NaN or inf as a distance. A non-finite neighbour counts as
// absent; a non-finite current distance stands at the nearer end of the track (NaN
// at the start line). Finite distances, even out-of-range ones, are taken as they
// are, so the rule keeps the new camera between its neighbours.
float SaneDistance(float value) {
    if (std::isnan(value)) return 0.0f;
    if (std::isinf(value)) return value < 0.0f ? 0.0f : kMaxDistance;
    return value;
}

std::optional<float> SaneNeighbour(std::optional<float> value) {
    if (value && !std::isfinite(*value)) return std::nullopt;
    return value;
}

float Middle(float a, float b) {
    const float half = static_cast<float>((static_cast<double>(a) + b) / 2.0);
    return static_cast<float>(RoundHalfEven(half, 3));
}

std::optional<float> DistanceOf(const CameraSet& set, int number) {
    if (number < 1 || number > set.Count()) return std::nullopt;
    return set.Camera(number).Float(TvField::Distance);
}

int ClampShown(int shown, int count) { return std::clamp(shown, 1, count); }

void FillNewCamera(TvCamera& camera, float distance, const CameraDefaults& defaults) {
    camera.SetFloat(TvField::Distance, distance);
    for (int k = TvField::SideOffset; k <= TvField::OpeningAngle; ++k)
        camera.SetRaw(k, defaults[static_cast<std::size_t>(k)]);
}

SetOperation Refuse(std::string text) { return {false, 0, std::move(text), true}; }

SetOperation Done(CamDocument& doc, CameraSet& set, int count, int show) {
    set.SetCount(count);
    UpdateHeaderSize(doc);
    doc.DataSaved = false;
    return {true, show, {}, false};
}

// A set left empty by a loaded file gets its first camera at the start line.
SetOperation FirstCamera(CamDocument& doc, CameraSet& set, const CameraDefaults& defaults) {
    TvCamera& camera = set.Camera(1);
    camera = TvCamera{};
    FillNewCamera(camera, 0.0f, defaults);
    return Done(doc, set, 1, 1);
}

}  // namespace

std::string MaximumReachedText(SetId set) {
    return SetText("Sorry, but maximum of possible ", set,
                   "-cameras (256) has already been reached. Ready.");
}

std::string BeginningOfTrackText() {
    return "Sorry, but the current camera is already at the beginning of the track. Ready.";
}

std::string HighestDistanceText() {
    return "Sorry, but the current camera has already the highest possible #1-value. Ready.";
}

std::string NothingToDeleteText(SetId set) {
    return SetText("Sorry, no more ", set, "-cameras there to delete. Ready.");
}

float NewCameraDistance(Placement where, float rule, float cur, std::optional<float> prev,
                        std::optional<float> next) {
    cur = SaneDistance(cur);
    prev = SaneNeighbour(prev);
    next = SaneNeighbour(next);
    float result;
    if (rule == kMiddlePlacement) {
        if (where == Placement::Before) {
            result = prev ? Middle(*prev, cur) : 0.0f;
        } else {
            result = next ? Middle(cur, *next) : std::min(cur + kGapBehindLast, kMaxDistance);
        }
    } else if (where == Placement::Before) {
        result = std::max(cur - rule, 0.0f);
    } else {
        result = std::min(cur + rule, kMaxDistance);
    }
    if (std::isfinite(result)) return result;
    // Only a rule that is no finite number gets here: NaN keeps the shown camera's
    // distance, an infinite offset ends at the nearer end of the track.
    if (std::isnan(result)) return cur;
    return std::clamp(result, 0.0f, kMaxDistance);
}

SetOperation InsertCameraBefore(CamDocument& doc, SetId setId, int shown,
                                const CameraDefaults& defaults) {
    CameraSet& set = doc.Set(setId);
    const int n = set.Count();
    if (n == 0) return FirstCamera(doc, set, defaults);
    const int v = ClampShown(shown, n);
    if (n >= kMaxCamerasPerSet) return Refuse(MaximumReachedText(setId));
    const float cur = set.Camera(v).Float(TvField::Distance);
    if (cur == 0.0f) return Refuse(BeginningOfTrackText());

    const float distance = NewCameraDistance(Placement::Before, BitsFloat(defaults[0]), cur,
                                             DistanceOf(set, v - 1), std::nullopt);
    // Slot v keeps its copy of the shown camera: fields 12 and 13 come from it.
    for (int i = n; i >= v; --i) set.Camera(i + 1) = set.Camera(i);
    FillNewCamera(set.Camera(v), distance, defaults);
    return Done(doc, set, n + 1, v);
}

SetOperation InsertCameraBehind(CamDocument& doc, SetId setId, int shown,
                                const CameraDefaults& defaults) {
    CameraSet& set = doc.Set(setId);
    const int n = set.Count();
    if (n == 0) return FirstCamera(doc, set, defaults);
    const int v = ClampShown(shown, n);
    const float cur = set.Camera(v).Float(TvField::Distance);
    if (cur == kMaxDistance) return Refuse(HighestDistanceText());
    if (n >= kMaxCamerasPerSet) return Refuse(MaximumReachedText(setId));

    const float distance = NewCameraDistance(Placement::Behind, BitsFloat(defaults[0]), cur,
                                             std::nullopt, DistanceOf(set, v + 1));
    // The first free slot (n + 1) moves on with the rest, so a new last camera carries
    // whatever that slot held into fields 12 and 13.
    for (int i = n + 1; i >= v + 1; --i) set.Camera(i + 1) = set.Camera(i);
    FillNewCamera(set.Camera(v + 1), distance, defaults);
    return Done(doc, set, n + 1, v + 1);
}

SetOperation RemoveCurrentCamera(CamDocument& doc, SetId setId, int shown) {
    CameraSet& set = doc.Set(setId);
    const int n = set.Count();
    if (n <= 1) return Refuse(NothingToDeleteText(setId));
    const int v = ClampShown(shown, n);
    for (int i = v; i < n; ++i) set.Camera(i) = set.Camera(i + 1);
    set.Camera(n) = TvCamera{};
    return Done(doc, set, n - 1, std::min(v, n - 1));
}

void AssignFieldToAll(CamDocument& doc, SetId setId, int field, int shown) {
    CameraSet& set = doc.Set(setId);
    if (field < 0 || field >= kAssignableFieldCount || shown < 1 || shown > set.Count()) return;
    const std::uint32_t pattern = set.Camera(shown).Raw(field);
    for (int i = 1; i <= set.Count(); ++i) set.Camera(i).SetRaw(field, pattern);
}

std::string AssignQuestionText(SetId set) {
    return SetText("This will overwrite the same value of all other cameras in the ", set,
                   "-set. Continue?");
}

Selection SelectCamera(const std::string& text, int count) {
    const std::optional<double> number = ParseLocaleNumber(text);
    const double rounded = number ? RoundHalfEven(*number) : -1.0;
    if (!number || rounded < 0.0 || rounded > 255.0) {
        // The count is written the way a number is printed with room for its sign.
        std::string refusal = "Enter a number between 1 and ";
        if (count >= 0) refusal += ' ';
        refusal += std::to_string(count);
        refusal += ". Ready.";
        return {false, 0, std::move(refusal), true};
    }
    // A set without cameras has nothing to show: the selection stays at 0 there.
    if (count <= 0) return {true, 0, {}, false};
    return {true, std::clamp(static_cast<int>(rounded), 1, count), {}, false};
}

std::optional<std::string> CountFieldGuard(const std::string& text, int count) {
    if (text == std::to_string(count)) return std::nullopt;
    return std::string(kNotEditableText);
}

SetOperation PasteCameras(CamDocument& doc, SetId setId, int shown, Placement where,
                          const std::vector<TvCamera>& cameras) {
    if (cameras.empty()) return {false, 0, kNoCameraOnClipboardText, true};
    CameraSet& set = doc.Set(setId);
    const int n = set.Count();
    if (cameras.size() > static_cast<std::size_t>(kMaxCamerasPerSet - n)) {
        return {false, 0, MaximumReachedText(setId), true};
    }
    const int k = static_cast<int>(cameras.size());
    int first = 1;
    if (n > 0) {
        const int v = std::clamp(shown, 1, n);
        first = where == Placement::Before ? v : v + 1;
    }
    for (int i = n; i >= first; --i) set.Camera(i + k) = set.Camera(i);
    for (int j = 0; j < k; ++j) set.Camera(first + j) = cameras[static_cast<std::size_t>(j)];
    set.SetCount(n + k);
    UpdateHeaderSize(doc);
    doc.DataSaved = false;
    return {true, first, {}, false};
}

}  // namespace vx
