// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "formats/cam_csv.h"

#include "editing/field_table.h"
#include "formats/field_quantity.h"

namespace vx {

namespace {

constexpr int kFirstFieldColumn = 3;  // 1-based: set, camera, then the fields

int QuantityColumn(int field) { return kFirstFieldColumn + 2 * field; }

template <int N>
void AppendFields(std::string& row, const FieldRecord<N>& record, bool pitlane) {
    for (int k = 0; k < N; ++k) {
        const FieldInfo& info = pitlane ? PitlaneFieldInfo(k) : TvFieldInfo(SetId::TV1, k);
        row += ',';
        row += FormatQuantity(info, pitlane, record.Raw(k));
        row += ',';
        row += HexPattern(record.Raw(k));
    }
}

CsvRowResult Refuse(int column, std::string reason) {
    CsvRowResult result;
    result.column = column;
    result.reason = std::move(reason);
    return result;
}

// Takes one field from its two cells; false with result filled on a refusal.
bool ReadField(const FieldInfo& info, bool pitlane, const std::vector<std::string>& cells,
               int field, std::uint32_t& raw, CsvRowResult& result) {
    const int column = QuantityColumn(field);
    const std::string_view quantity = Trim(cells[static_cast<std::size_t>(column - 1)]);
    const std::string& hexCell = cells[static_cast<std::size_t>(column)];
    const std::optional<std::uint32_t> pattern = ParseHexPattern(hexCell);
    if (pattern) {
        // Unchanged, or only spelled differently (a spreadsheet's reformatting): the
        // pattern stands, bit for bit.
        if (quantity == FormatQuantity(info, pitlane, *pattern) ||
            QuantityPattern(info, pitlane, quantity) == pattern) {
            raw = *pattern;
            return true;
        }
    }
    const QuantityEntry entry = EnterQuantity(info, pitlane, quantity);
    if (entry.raw) {
        raw = *entry.raw;
        return true;
    }
    // Without a readable pattern there is nothing the quantity could have kept.
    if (!pattern) {
        result.column = column + 1;
        result.reason = "\"" + hexCell + "\" is not a hex pattern of 1 to 8 digits";
    } else {
        result.column = column;
        result.reason = entry.reason;
    }
    return false;
}

}  // namespace

const char* CsvSetName(CsvRowSet set) {
    switch (set) {
        case CsvRowSet::TV1:
            return "TV1";
        case CsvRowSet::TV2:
            return "TV2";
        case CsvRowSet::PIT:
            break;
    }
    return "PIT";
}

std::string CsvCell(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string cell = "\"";
    for (const char c : text) {
        if (c == '"') cell += '"';
        cell += c;
    }
    return cell + "\"";
}

std::string CsvCameraName(CsvRowSet set, int number) {
    if (set == CsvRowSet::PIT) return "Pitlane camera";
    return std::string(CsvSetName(set)) + " camera " + std::to_string(number);
}

std::string CsvColumnNames() {
    std::string line = "set,camera";
    for (int k = 0; k < kTvFieldCount; ++k) {
        const std::string name = "f" + std::to_string(k);
        line += "," + name + "," + name + "_hex";
    }
    return line;
}

std::string TvCameraCsvRow(SetId set, int number, const TvCamera& camera) {
    std::string row = std::string(SetName(set)) + "," + std::to_string(number);
    AppendFields(row, camera, false);
    return row;
}

std::string PitlaneCsvRow(const PitlaneCamera& camera) {
    std::string row = "PIT,1";
    AppendFields(row, camera, true);
    return row + ",,";
}

bool SplitCsvCells(std::string_view line, std::vector<std::string>& cells, int& badCell) {
    cells.clear();
    std::size_t at = 0;
    while (true) {
        std::string cell;
        if (at < line.size() && line[at] == '"') {
            ++at;
            bool closed = false;
            while (at < line.size()) {
                if (line[at] == '"') {
                    if (at + 1 < line.size() && line[at + 1] == '"') {
                        cell += '"';
                        at += 2;
                        continue;
                    }
                    ++at;
                    closed = true;
                    break;
                }
                cell += line[at++];
            }
            // After the closing quote only the separator or the end may follow.
            if (!closed || (at < line.size() && line[at] != ',')) {
                badCell = static_cast<int>(cells.size()) + 1;
                return false;
            }
        } else {
            const std::size_t comma = line.find(',', at);
            const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
            cell.assign(line.substr(at, end - at));
            at = end;
        }
        cells.push_back(std::move(cell));
        if (at >= line.size()) return true;
        ++at;  // the comma
    }
}

CsvRowResult ParseCsvRow(std::string_view line) {
    std::vector<std::string> cells;
    int badCell = 0;
    if (!SplitCsvCells(line, cells, badCell)) return Refuse(badCell, "unbalanced quotes");

    CsvRowResult result;
    const std::string_view setCell = Trim(cells[0]);
    if (setCell == "TV1") {
        result.row.set = CsvRowSet::TV1;
    } else if (setCell == "TV2") {
        result.row.set = CsvRowSet::TV2;
    } else if (setCell == "PIT") {
        result.row.set = CsvRowSet::PIT;
    } else {
        return Refuse(1, "\"" + cells[0] + "\" is not TV1, TV2 or PIT");
    }
    const bool pitlane = result.row.set == CsvRowSet::PIT;
    const int fieldCount = pitlane ? kPitlaneFieldCount : kTvFieldCount;
    // Spreadsheets drop empty trailing cells, so a PIT row may stop after field 12.
    const std::size_t needed = static_cast<std::size_t>(2 + 2 * fieldCount);
    if (cells.size() < needed) {
        return Refuse(static_cast<int>(cells.size()) + 1,
                      "the row ends after " + std::to_string(cells.size()) + " of " +
                          std::to_string(needed) + " columns");
    }
    for (std::size_t c = needed; c < cells.size(); ++c) {
        if (c >= static_cast<std::size_t>(kCsvColumnCount) || !Trim(cells[c]).empty()) {
            return Refuse(static_cast<int>(c) + 1,
                          pitlane ? "the pitlane camera has only 13 fields"
                                  : "more than " + std::to_string(kCsvColumnCount) + " columns");
        }
    }

    const std::string_view numberCell = Trim(cells[1]);
    const std::optional<long long> number = ParseInteger(numberCell);
    if (pitlane && !numberCell.empty() && number != 1) {
        return Refuse(2, "the pitlane camera is camera 1");
    }
    if (!pitlane && (!number || *number < 1 || *number > kSlotCount - 1)) {
        return Refuse(2, "\"" + cells[1] + "\" is not a camera number from 1 to 255");
    }
    result.row.number = pitlane ? 1 : static_cast<int>(*number);

    for (int k = 0; k < fieldCount; ++k) {
        const FieldInfo& info = pitlane ? PitlaneFieldInfo(k) : TvFieldInfo(SetId::TV1, k);
        std::uint32_t raw = 0;
        if (!ReadField(info, pitlane, cells, k, raw, result)) {
            result.reason = CsvCameraName(result.row.set, result.row.number) + ", " +
                            FieldName(info) + ": " + result.reason;
            return result;
        }
        if (pitlane) {
            result.row.pitlane.SetRaw(k, raw);
        } else {
            result.row.tv.SetRaw(k, raw);
        }
    }
    result.ok = true;
    return result;
}

}  // namespace vx
