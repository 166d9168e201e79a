// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "document/cam_writer.h"

#include "document/io_error.h"
#include "document/little_endian.h"

namespace vx {

namespace {

template <int N>
void PutRecord(std::vector<std::uint8_t>& out, const FieldRecord<N>& record) {
    for (int k = 0; k < N; ++k) AppendLittleEndian(out, record.Raw(k));
}

void PutSet(std::vector<std::uint8_t>& out, const CameraSet& set) {
    out.insert(out.end(), set.CountBytes.begin(), set.CountBytes.end());
    for (int i = 1; i <= set.Count(); ++i) PutRecord(out, set.Camera(i));
}

}  // namespace

std::vector<std::uint8_t> SerializeCamDocument(const CamDocument& doc) {
    std::vector<std::uint8_t> out;
    out.reserve(doc.FileLength());
    out.insert(out.end(), doc.Header.begin(), doc.Header.end());
    PutSet(out, doc.TV1);
    PutSet(out, doc.TV2);
    PutRecord(out, doc.Pitlane);
    return out;
}

SaveResult WriteCamFile(const std::string& path, CamDocument& doc, FileLayer& layer) {
    const WriteResult written = AtomicWriteFile(path, SerializeCamDocument(doc), layer);
    if (!written.ok) return {SaveOutcomeForError(written.error.errorNumber), written.error, {}};
    doc.DataSaved = true;
    return {SaveOutcome::Success, {}, StampOfPath(path)};
}

}  // namespace vx
