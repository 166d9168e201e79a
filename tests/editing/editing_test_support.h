// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QLocale>
#include <cstdint>
#include <vector>

#include "document/cam_document.h"
#include "editing/field_value.h"
#include "editing/locale_number.h"

namespace vx::testing {

// Sets the default locale for one test and puts the previous one back.
struct ScopedLocale {
    explicit ScopedLocale(const char* name) { QLocale::setDefault(QLocale(name)); }
    ~ScopedLocale() { QLocale::setDefault(previous); }
    QLocale previous;
};

inline float RadiansOf(double degrees) { return static_cast<float>(degrees * kPi / 180.0); }

// New-camera values with patterns that no camera of the tests holds by chance.
inline CameraDefaults TestDefaults(float placement) {
    CameraDefaults d{};
    d[0] = FloatBits(placement);
    for (int k = 1; k <= 11; ++k) d[static_cast<std::size_t>(k)] = FloatBits(0.5f + k);
    d[TvField::Mode] = 1;
    return d;
}

// A saved document with cameras at the given distances; every other field of every slot
// holds a pattern naming slot and field, so moved cameras are recognisable.
inline CamDocument DocumentWith(SetId set, const std::vector<float>& distances) {
    CamDocument doc;
    NewDocument(doc);
    CameraSet& cameras = doc.Set(set);
    for (int number = 1; number <= kSlotCount; ++number) {
        for (int f = 1; f < kTvFieldCount; ++f)
            cameras.Camera(number).SetRaw(
                f, 0xC0000000u | static_cast<std::uint32_t>(number << 8 | f));
    }
    for (std::size_t i = 0; i < distances.size(); ++i) cameras.Cameras[i].SetFloat(0, distances[i]);
    cameras.SetCount(static_cast<int>(distances.size()));
    UpdateHeaderSize(doc);
    doc.DataSaved = true;
    return doc;
}

}  // namespace vx::testing
