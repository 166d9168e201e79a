// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include "document/cam_document.h"

namespace vx::bench {

// The largest file the editor can hold: 255 cameras in each TV set, every field set.
inline CamDocument LargestDocument() {
    CamDocument doc;
    NewDocument(doc);
    for (CameraSet* set : {&doc.TV1, &doc.TV2}) {
        set->SetCount(255);
        for (int i = 1; i <= 255; ++i) {
            for (int k = 0; k < kTvFieldCount; ++k) {
                set->Camera(i).SetFloat(k, static_cast<float>(i) * 10.0f + static_cast<float>(k));
            }
            set->Camera(i).SetInt(TvField::Mode, i % 2);
        }
    }
    UpdateHeaderSize(doc);
    return doc;
}

}  // namespace vx::bench
