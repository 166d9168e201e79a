// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "formats/coverage_report.h"

#include <cctype>
#include <cmath>

#include "formats/cam_csv.h"
#include "formats/cam_json.h"
#include "formats/cam_text_table.h"

namespace vx {

namespace {

// The cells of one row after set and camera; empty where the camera has no stretch.
std::vector<std::string> MetreCells(const CameraCoverage& camera) {
    std::vector<std::string> cells{MetresText(camera.position)};
    for (const double metres :
         {camera.switchPoint, camera.liveFrom, camera.liveTo, camera.Length()}) {
        cells.push_back(camera.counted ? MetresText(metres) : std::string());
    }
    return cells;
}

constexpr const char* kKeys[] = {"position", "switch_point", "live_from", "live_to", "length"};

std::string JsonMetres(const std::string& cell) {
    if (cell.empty()) return "null";
    return std::isdigit(static_cast<unsigned char>(cell.back())) ? cell : JsonString(cell);
}

}  // namespace

std::string JoinedFindings(const CameraCoverage& camera) {
    std::string text;
    for (const CoverageFinding& finding : camera.findings) {
        text += (text.empty() ? "" : "; ") + finding.text;
    }
    return text;
}

std::string CoverageCsv(const std::vector<SetCoverage>& sets) {
    std::string text = "set,camera,position,switch_point,live_from,live_to,length,findings\n";
    for (const SetCoverage& set : sets) {
        for (const CameraCoverage& camera : set.cameras) {
            text += std::string(SetName(set.set)) + "," + std::to_string(camera.number);
            for (const std::string& cell : MetreCells(camera)) text += "," + cell;
            text += "," + CsvCell(JoinedFindings(camera)) + "\n";
        }
    }
    return text;
}

std::string CoverageJson(const std::vector<SetCoverage>& sets) {
    std::string text = "[";
    for (const SetCoverage& set : sets) {
        for (const CameraCoverage& camera : set.cameras) {
            text += (text.size() > 1 ? ",\n" : "\n");
            text += "  {\"set\": \"" + std::string(SetName(set.set)) +
                    "\", \"camera\": " + std::to_string(camera.number);
            const std::vector<std::string> cells = MetreCells(camera);
            for (std::size_t i = 0; i < cells.size(); ++i) {
                text += ", \"" + std::string(kKeys[i]) + "\": " + JsonMetres(cells[i]);
            }
            text += ", \"findings\": " + JsonString(JoinedFindings(camera)) + "}";
        }
    }
    return text + (text.size() > 1 ? "\n]\n" : "]\n");
}

std::string CoverageTextTable(const std::vector<SetCoverage>& sets) {
    constexpr std::size_t kWidth = 11;
    std::string text;
    for (const SetCoverage& set : sets) {
        text += (text.empty() ? "" : "\n") + std::string(SetName(set.set)) + ": " +
                std::to_string(set.cameras.size()) +
                (set.cameras.size() == 1 ? " camera" : " cameras") + ", lap " +
                MetresText(set.lap.metres) + " m" + (set.lap.estimated ? " (estimated)" : "") +
                "\n";
        text += "  " + Padded("camera", 7);
        for (const char* key : {"position", "switch", "live from", "live to", "length"}) {
            text += Padded(key, kWidth);
        }
        text += "findings\n";
        for (const CameraCoverage& camera : set.cameras) {
            text += "  " + Padded(std::to_string(camera.number), 7);
            for (const std::string& cell : MetreCells(camera)) {
                text += Padded(cell.empty() ? "-" : cell, kWidth);
            }
            text += JoinedFindings(camera) + "\n";
        }
    }
    return text;
}

std::vector<std::string> CoverageCheckFindings(const std::vector<SetCoverage>& sets) {
    std::vector<std::string> lines;
    for (const SetCoverage& set : sets) {
        const CsvRowSet rowSet = set.set == SetId::TV1 ? CsvRowSet::TV1 : CsvRowSet::TV2;
        for (const CameraCoverage& camera : set.cameras) {
            for (const CoverageFinding& finding : camera.findings) {
                // The check reports these itself, in its own words.
                if (finding.kind == FindingKind::NotFinite ||
                    finding.kind == FindingKind::OutOfOrder) {
                    continue;
                }
                lines.push_back(CsvCameraName(rowSet, camera.number) + ": " + finding.text);
            }
        }
    }
    return lines;
}

}  // namespace vx
