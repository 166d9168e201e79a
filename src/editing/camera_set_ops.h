// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/cam_document.h"

namespace vx {

// The limits of a set that insertion and removal keep.
inline constexpr int kMaxCamerasPerSet = 255;
inline constexpr float kMaxDistance = 50000.0f;
// The gap behind the last camera under middle placement.
inline constexpr float kGapBehindLast = 200.0f;
// Element 0 of the defaults that selects middle placement.
inline constexpr float kMiddlePlacement = -1.0f;

// The refusals of insertion and removal, each shown after a beep.
std::string MaximumReachedText(SetId set);  // "... TV1-cameras (256) has already ..."
std::string BeginningOfTrackText();
std::string HighestDistanceText();
std::string NothingToDeleteText(SetId set);

// The status lines of the assign buttons and of the count field.
inline constexpr const char* kValuesCopiedText = "Values copied.Ready.";
inline constexpr const char* kActionCanceledText = "Action canceled by user. Ready.";
inline constexpr const char* kNotEditableText = "This value is not editable. Ready.";
// A paste that brought no camera.
inline constexpr const char* kNoCameraOnClipboardText = "Clipboard holds no camera. Ready.";

// What the window needs after a set operation: on success the camera to show,
// on refusal the status line (and a beep).
struct SetOperation {
    bool ok = false;
    int showCamera = 0;
    std::string refusal;
    bool beep = false;  // true exactly for a refusal
};

// Insert a new camera before / behind the shown camera v, placed by element 0 of
// the defaults, fields 1-11 from the defaults. On success: count + 1,
// UpdateHeaderSize, DataSaved := false. A set without cameras gets camera 1 at 0.0
// with the defaults and zeros in fields 12 and 13. A shown number outside 1..count
// is taken as the nearest camera.
[[nodiscard]] SetOperation InsertCameraBefore(CamDocument& doc, SetId set, int shown,
                                              const CameraDefaults& defaults);
[[nodiscard]] SetOperation InsertCameraBehind(CamDocument& doc, SetId set, int shown,
                                              const CameraDefaults& defaults);
// Removes camera v; refuses at one camera (and at none). The vacated slot is
// cleared; UpdateHeaderSize, DataSaved := false.
[[nodiscard]] SetOperation RemoveCurrentCamera(CamDocument& doc, SetId set, int shown);

// The placement rule. rule is element 0 of the defaults; prev / next are the
// neighbours' distances when they exist. Finite distances follow the rule as written
// (a middle between two out-of-range neighbours stays between them); a non-finite
// distance or rule falls back to a result within 0..50000.
enum class Placement { Before, Behind };
float NewCameraDistance(Placement where, float rule, float cur, std::optional<float> prev,
                        std::optional<float> next);

// Inserts pasted cameras, in their order, before or behind the shown camera v, all
// 14 fields as given: a pasted camera carries its own distance, so no placement rule
// applies. All or nothing: a block that would take the set beyond 255 cameras is
// refused with the set's maximum text. On success: count + k, UpdateHeaderSize,
// DataSaved := false, and the camera to show is the first pasted one. A set without
// cameras takes the block as cameras 1 to k; a shown number outside 1..count is taken
// as the nearest camera.
[[nodiscard]] SetOperation PasteCameras(CamDocument& doc, SetId set, int shown, Placement where,
                                        const std::vector<TvCamera>& cameras);

// Copies field i of camera `shown` to cameras 1..count as its raw pattern;
// DataSaved is left as it was. Only fields 0-11 have an assign button; other
// fields and shown numbers outside 1..count change nothing.
void AssignFieldToAll(CamDocument& doc, SetId set, int field, int shown);
// The safety question of AssignFieldToAll for a set.
std::string AssignQuestionText(SetId set);

// A typed camera number: the number to show, or the refusal text
// ("Enter a number between 1 and  12. Ready."). On a refusal the shown camera stays
// and the window writes its number back into the field.
struct Selection {
    bool ok = false;
    int camera = 0;
    std::string refusal;
    bool beep = false;  // true exactly for a refusal, as for every editing refusal
};
Selection SelectCamera(const std::string& text, int count);

// The count field's guard: nullopt when the text is the count, otherwise the
// status line to show ("This value is not editable. Ready.") after restoring it
// (with a beep).
std::optional<std::string> CountFieldGuard(const std::string& text, int count);

}  // namespace vx
