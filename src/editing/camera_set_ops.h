#pragma once

#include <optional>
#include <string>

#include "document/cam_document.h"

namespace vx {

// What the window needs after a set operation: on success the camera to show,
// on refusal the status line (and a beep).
struct SetOperation {
    bool ok = false;
    int showCamera = 0;
    std::string refusal;
};

// Insert a new camera before / behind the shown camera v, placed by element 0 of
// the defaults, fields 1-11 from the defaults. On success: count + 1,
// UpdateHeaderSize, DataSaved := false.
SetOperation InsertCameraBefore(CamDocument& doc, SetId set, int shown,
                                const CameraDefaults& defaults);
SetOperation InsertCameraBehind(CamDocument& doc, SetId set, int shown,
                                const CameraDefaults& defaults);
// Removes camera v; refuses at one camera (and at none).
SetOperation RemoveCurrentCamera(CamDocument& doc, SetId set, int shown);

// The placement rule. rule is element 0 of the defaults; prev / next are the
// neighbours' distances when they exist.
enum class Placement { Before, Behind };
float NewCameraDistance(Placement where, float rule, float cur, std::optional<float> prev,
                        std::optional<float> next);

// Copies field i of camera `shown` to cameras 1..count as its raw pattern;
// DataSaved is left as it was.
void AssignFieldToAll(CamDocument& doc, SetId set, int field, int shown);
// The safety question of AssignFieldToAll for a set.
std::string AssignQuestionText(SetId set);

// A typed camera number: the number to show, or the refusal text
// ("Enter a number between 1 and  12. Ready.").
struct Selection {
    bool ok = false;
    int camera = 0;
    std::string refusal;
};
Selection SelectCamera(const std::string& text, int count);

// The count field's guard: nullopt when the text is the count, otherwise the
// status line to show ("This value is not editable. Ready.") after restoring it.
std::optional<std::string> CountFieldGuard(const std::string& text, int count);

}  // namespace vx
