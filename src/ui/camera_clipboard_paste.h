#pragma once

#include <vector>

#include "document/cam_document.h"
#include "editing/camera_set_ops.h"

namespace vx {

// Inserts pasted cameras, in their order, before or behind the shown camera v, all
// 14 fields as given: a pasted camera carries its own distance, so no placement rule
// applies. All or nothing: a block that would take the set beyond 255 cameras is
// refused with the set's maximum text. On success: count + k, UpdateHeaderSize,
// DataSaved := false, and the camera to show is the first pasted one. A set without
// cameras takes the block as cameras 1 to k; a shown number outside 1..count is taken
// as the nearest camera.
SetOperation PasteCameras(CamDocument& doc, SetId set, int shown, Placement where,
                          const std::vector<TvCamera>& cameras);

}  // namespace vx
