// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "formats/cam_check.h"

#include <cmath>

#include "editing/field_table.h"
#include "formats/cam_csv.h"
#include "formats/field_quantity.h"

namespace vx {

namespace {

void CheckField(const FieldInfo& info, bool pitlane, std::uint32_t raw, const std::string& where,
                std::vector<std::string>& findings) {
    const std::string prefix = where + ", " + FieldName(info) + ": ";
    if (IsFloatField(info) && !std::isfinite(BitsFloat(raw))) {
        findings.push_back(prefix + "not a finite number (" + FormatQuantity(info, pitlane, raw) +
                           ", " + HexPattern(raw) + ")");
        return;
    }
    if (std::string problem = StoredValueProblem(info, raw); !problem.empty()) {
        findings.push_back(prefix + problem);
    }
}

void CheckSet(SetId id, const CameraSet& set, std::vector<std::string>& findings) {
    const CsvRowSet rowSet = id == SetId::TV1 ? CsvRowSet::TV1 : CsvRowSet::TV2;
    if (set.Count() == 0) findings.push_back(std::string(SetName(id)) + ": the set has no camera");
    const FieldInfo& distance = TvFieldInfo(id, TvField::Distance);
    for (int i = 1; i <= set.Count(); ++i) {
        const TvCamera& camera = set.Camera(i);
        const std::string where = CsvCameraName(rowSet, i);
        if (i > 1 && camera.Float(TvField::Distance) < set.Camera(i - 1).Float(TvField::Distance)) {
            findings.push_back(
                where + ", " + FieldName(distance) + ": " +
                FormatQuantity(distance, false, camera.Raw(TvField::Distance)) +
                " lies before camera " + std::to_string(i - 1) + " at " +
                FormatQuantity(distance, false, set.Camera(i - 1).Raw(TvField::Distance)));
        }
        for (int k = 0; k < kTvFieldCount; ++k) {
            CheckField(TvFieldInfo(id, k), false, camera.Raw(k), where, findings);
        }
    }
}

}  // namespace

std::vector<std::string> CheckCamDocument(const CamDocument& doc, std::uint64_t trailingBytes) {
    std::vector<std::string> findings;
    if (doc.SizeField() != doc.ExpectedSizeField()) {
        findings.push_back("Header, size field: " + std::to_string(doc.SizeField()) +
                           " does not match the counts, which call for " +
                           std::to_string(doc.ExpectedSizeField()));
    }
    CheckSet(SetId::TV1, doc.TV1, findings);
    CheckSet(SetId::TV2, doc.TV2, findings);
    const std::string pitlane = CsvCameraName(CsvRowSet::PIT, 1);
    for (int k = 0; k < kPitlaneFieldCount; ++k) {
        CheckField(PitlaneFieldInfo(k), true, doc.Pitlane.Raw(k), pitlane, findings);
    }
    if (trailingBytes > 0) {
        findings.push_back("File: " + std::to_string(trailingBytes) +
                           (trailingBytes == 1 ? " byte" : " bytes") +
                           " after the pitlane record, which the editor neither reads nor writes");
    }
    return findings;
}

}  // namespace vx
