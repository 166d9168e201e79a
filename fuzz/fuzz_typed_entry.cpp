// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// Typed entry of any text in any of the decimal conventions: a refusal leaves the
// document bit for bit as it was; an acceptance stores a value inside the field's
// range, marks the document unsaved and changes nothing else but, for a distance
// under FixedSwitchOver, the change-over point, which stays within +-10000.
#include <QLocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editing/field_entry.h"
#include "editing/field_value.h"

namespace {

// Input: locale, field, FixedSwitchOver, 14 starting patterns (loaded garbage
// included) for camera 1 of both sets and the pitlane camera, then the typed text.
constexpr std::size_t kHead = 3 + 4 * vx::kTvFieldCount;
constexpr int kTvTargets = 2 * vx::kTvFieldCount;

std::uint32_t WordAt(const std::uint8_t* data) {
    return std::uint32_t{data[0]} | std::uint32_t{data[1]} << 8 | std::uint32_t{data[2]} << 16 |
           std::uint32_t{data[3]} << 24;
}

bool WithinShownRange(const vx::FieldInfo& info, float stored) {
    double shown = static_cast<double>(stored);
    // Radians in single precision may land a hair beyond the bound in degrees.
    double slack = 0.0;
    if (info.kind == vx::FieldKind::Angle) {
        shown = shown * 180.0 / vx::kPi;
        slack = 1e-4;
    }
    return shown >= info.minimum - slack && shown <= info.maximum + slack;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kHead) return 0;
    static const QLocale locales[] = {QLocale::c(), QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::French, QLocale::France)};
    QLocale::setDefault(locales[data[0] % 4]);
    const int target = data[1] % (kTvTargets + vx::kPitlaneFieldCount);
    const bool switchOver = (data[2] & 1) != 0;

    vx::CamDocument doc;
    vx::NewDocument(doc);
    for (int k = 0; k < vx::kTvFieldCount; ++k) {
        const std::uint32_t bits = WordAt(data + 3 + 4 * k);
        doc.TV1.Camera(1).SetRaw(k, bits);
        doc.TV2.Camera(1).SetRaw(k, bits);
        if (k < vx::kPitlaneFieldCount) doc.Pitlane.SetRaw(k, bits);
    }
    const std::string text(reinterpret_cast<const char*>(data + kHead), size - kHead);
    const vx::CamDocument before = doc;

    vx::CamDocument expected = before;
    vx::EntryResult result;
    const vx::FieldInfo* info;
    float stored;
    if (target < kTvTargets) {
        const vx::SetId set = target < vx::kTvFieldCount ? vx::SetId::TV1 : vx::SetId::TV2;
        const int field = target % vx::kTvFieldCount;
        info = &vx::TvFieldInfo(set, field);
        result = vx::EnterTvField(doc, set, 1, field, text, switchOver);
        const vx::TvCamera& camera = doc.Set(set).Camera(1);
        stored = camera.Float(field);
        vx::TvCamera& model = expected.Set(set).Camera(1);
        model.SetRaw(field, camera.Raw(field));
        if (field == 0 && switchOver && camera.Raw(3) != model.Raw(3)) {
            if (!(std::fabs(camera.Float(3)) <= 10000.0f)) std::abort();
            model.SetRaw(3, camera.Raw(3));
        }
    } else {
        const int field = target - kTvTargets;
        info = &vx::PitlaneFieldInfo(field);
        result = vx::EnterPitlaneField(doc, field, text);
        stored = doc.Pitlane.Float(field);
        expected.Pitlane.SetRaw(field, doc.Pitlane.Raw(field));
    }

    if (result == vx::EntryResult::Rejected) {
        if (!doc.SameContent(before) || doc.DataSaved != before.DataSaved) std::abort();
        return 0;
    }
    if (!info->typedEntry || doc.DataSaved || !WithinShownRange(*info, stored)) std::abort();
    if (!doc.SameContent(expected)) std::abort();
    return 0;
}
