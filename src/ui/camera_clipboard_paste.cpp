#include "ui/camera_clipboard_paste.h"

#include <algorithm>

#include "ui/camera_clipboard_format.h"

namespace vx {

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
