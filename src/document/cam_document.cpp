// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "document/cam_document.h"

#include "document/little_endian.h"

namespace vx {

namespace {

// The size field is the header's bytes 8 to 11.
constexpr std::ptrdiff_t kSizeFieldOffset = 8;

}  // namespace

const char* SetName(SetId set) { return set == SetId::TV1 ? "TV1" : "TV2"; }

std::uint32_t CamDocument::SizeField() const {
    return LoadLittleEndian(Header.begin() + kSizeFieldOffset);
}

std::uint32_t CamDocument::ExpectedSizeField() const {
    return static_cast<std::uint32_t>(kTvRecordBytes * (TV1.Count() + TV2.Count()) + 60);
}

std::size_t CamDocument::FileLength() const {
    return static_cast<std::size_t>(72 + kTvRecordBytes * (TV1.Count() + TV2.Count()));
}

namespace {
bool SameUsedSlots(const CameraSet& a, const CameraSet& b) {
    if (a.CountBytes != b.CountBytes) return false;
    for (int i = 1; i <= a.Count(); ++i) {
        if (!(a.Camera(i) == b.Camera(i))) return false;
    }
    return true;
}
}  // namespace

bool CamDocument::SameContent(const CamDocument& other) const {
    return Header == other.Header && SameUsedSlots(TV1, other.TV1) &&
           SameUsedSlots(TV2, other.TV2) && Pitlane == other.Pitlane;
}

void NewDocument(CamDocument& doc) {
    doc = CamDocument{};
    doc.Header = {77, 65, 67, 84, 0, 0, 0, 0, 0, 0, 0, 0};
    doc.TV1.CountBytes = {1, 0, 0, 0};
    doc.TV2.CountBytes = {1, 0, 0, 0};
    UpdateHeaderSize(doc);
    doc.Pitlane.SetFloat(PitlaneField::MinusEighth, -0.125f);
    doc.DataSaved = true;
}

void ApplyNewCameraDefaults(CamDocument& doc, const CameraDefaults& defaults) {
    for (CameraSet* set : {&doc.TV1, &doc.TV2}) {
        TvCamera& camera = set->Camera(1);
        camera.SetFloat(TvField::Distance, 0.0f);
        for (int k = TvField::SideOffset; k <= TvField::OpeningAngle; ++k)
            camera.SetRaw(k, defaults[static_cast<std::size_t>(k)]);
        camera.SetFloat(TvField::Unknown12, 0.0f);
        camera.SetFloat(TvField::Unknown13, 0.0f);
    }
    doc.DataSaved = true;
}

void UpdateHeaderSize(CamDocument& doc) {
    const std::uint32_t size = doc.ExpectedSizeField();
    StoreLittleEndian(doc.Header.begin() + kSizeFieldOffset, size);
}

}  // namespace vx
