// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// A loaded CAM file must write back bit for bit; a refused one must change nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "document/cam_reader.h"
#include "document/cam_writer.h"

namespace {

vx::CamDocument Prefilled() {
    vx::CamDocument doc;
    vx::NewDocument(doc);
    doc.TV1.SetCount(3);
    doc.TV2.CountBytes = {2, 9, 8, 7};
    for (int i = 1; i <= 256; ++i) {
        for (int k = 0; k < vx::kTvFieldCount; ++k) {
            doc.TV1.Cameras[static_cast<std::size_t>(i - 1)].SetRaw(k, 0xA5000000u + i * 16u + k);
            doc.TV2.Cameras[static_cast<std::size_t>(i - 1)].SetRaw(k, 0x5A000000u + i * 16u + k);
        }
    }
    doc.Pitlane.SetFloat(vx::PitlaneField::Yaw, 7.25f);
    doc.DataSaved = false;
    return doc;
}

bool Identical(const vx::CamDocument& a, const vx::CamDocument& b) {
    return a.Header == b.Header && a.TV1 == b.TV1 && a.TV2 == b.TV2 && a.Pitlane == b.Pitlane &&
           a.DataSaved == b.DataSaved;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    static const vx::CamDocument before = Prefilled();
    vx::CamDocument doc = before;

    if (vx::ParseCamBytes(bytes, doc) != vx::LoadOutcome::Success) {
        if (!Identical(doc, before)) std::abort();
        return 0;
    }
    // Loading keeps the document's saved flag; everything else comes from the bytes.
    if (doc.DataSaved != before.DataSaved) std::abort();
    const std::vector<std::uint8_t> written = vx::SerializeCamDocument(doc);
    if (written.size() != doc.FileLength() || written.size() > size) std::abort();
    // Bytes after the record are ignored, so the record itself must come back whole.
    if (!std::equal(written.begin(), written.end(), bytes.begin())) std::abort();
    return 0;
}
