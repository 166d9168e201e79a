// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "formats/cam_diff.h"

#include <algorithm>

#include "editing/field_table.h"
#include "formats/cam_csv.h"
#include "formats/field_quantity.h"

namespace vx {

namespace {

template <std::size_t N>
std::string Bytes(const std::array<std::uint8_t, N>& bytes) {
    std::string text;
    for (std::size_t i = 0; i < N; ++i) text += (i ? " " : "") + HexByte(bytes[i]);
    return text;
}

std::string Cameras(int count) {
    return std::to_string(count) + (count == 1 ? " camera" : " cameras");
}

std::string Shown(const FieldInfo& info, bool pitlane, std::uint32_t raw) {
    return FormatQuantity(info, pitlane, raw) + " (" + HexPattern(raw) + ")";
}

template <int N>
void DiffFields(const FieldRecord<N>& a, const FieldRecord<N>& b, bool pitlane,
                const std::string& where, std::vector<std::string>& lines) {
    for (int k = 0; k < N; ++k) {
        if (a.Raw(k) == b.Raw(k)) continue;
        const FieldInfo& info = pitlane ? PitlaneFieldInfo(k) : TvFieldInfo(SetId::TV1, k);
        lines.push_back(where + ", " + FieldName(info) + ": " + Shown(info, pitlane, a.Raw(k)) +
                        " in A, " + Shown(info, pitlane, b.Raw(k)) + " in B");
    }
}

void DiffSet(SetId id, const CameraSet& a, const CameraSet& b, std::vector<std::string>& lines) {
    const std::string name = SetName(id);
    const CsvRowSet rowSet = id == SetId::TV1 ? CsvRowSet::TV1 : CsvRowSet::TV2;
    if (a.CountBytes != b.CountBytes) {
        lines.push_back(name + " count bytes: " + Bytes(a.CountBytes) + " in A (" +
                        Cameras(a.Count()) + "), " + Bytes(b.CountBytes) + " in B (" +
                        Cameras(b.Count()) + ")");
    }
    const int shared = std::min(a.Count(), b.Count());
    for (int i = 1; i <= shared; ++i) {
        DiffFields(a.Camera(i), b.Camera(i), false, CsvCameraName(rowSet, i), lines);
    }
    for (int i = shared + 1; i <= a.Count(); ++i) {
        lines.push_back(CsvCameraName(rowSet, i) + ": only in A");
    }
    for (int i = shared + 1; i <= b.Count(); ++i) {
        lines.push_back(CsvCameraName(rowSet, i) + ": only in B");
    }
}

}  // namespace

std::vector<std::string> DiffCamDocuments(const DiffSide& a, const DiffSide& b) {
    std::vector<std::string> lines;
    if (a.doc.Header != b.doc.Header) {
        lines.push_back("Header: " + Bytes(a.doc.Header) + " in A, " + Bytes(b.doc.Header) +
                        " in B");
    }
    DiffSet(SetId::TV1, a.doc.TV1, b.doc.TV1, lines);
    DiffSet(SetId::TV2, a.doc.TV2, b.doc.TV2, lines);
    DiffFields(a.doc.Pitlane, b.doc.Pitlane, true, CsvCameraName(CsvRowSet::PIT, 1), lines);
    if (a.trailingBytes != b.trailingBytes) {
        lines.push_back("Bytes after the pitlane record: " + std::to_string(a.trailingBytes) +
                        " in A, " + std::to_string(b.trailingBytes) + " in B");
    }
    return lines;
}

}  // namespace vx
