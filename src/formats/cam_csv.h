// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "document/cam_document.h"

namespace vx {

// One camera as one CSV row, in the C locale (full stop), cells separated by commas:
//
//   set,camera,f0,f0_hex,f1,f1_hex,...,f13,f13_hex
//
// set is TV1, TV2 or PIT; camera is the camera number counted from 1 (1 for PIT).
// For each field k the row holds its quantity (see FormatQuantity: metres, factor,
// degrees or the mode flag's integer) and its raw 32-bit pattern as 8 hex digits.
// A PIT row has 13 fields; the two cells of field 13 stay empty.
//
// Reading a row takes, field by field, the hex pattern bit for bit while the quantity
// still reads as that pattern (so untouched fields survive, NaN patterns included);
// a quantity that was changed is entered as the editor enters a typed value, with its
// range check, and the hex cell is then ignored.

enum class CsvRowSet { TV1, TV2, PIT };

// Cells per row: set, camera, then quantity and hex for 14 fields.
inline constexpr int kCsvColumnCount = 2 + 2 * kTvFieldCount;

struct CsvCameraRow {
    CsvRowSet set = CsvRowSet::TV1;
    int number = 1;
    TvCamera tv;            // TV1 and TV2 rows
    PitlaneCamera pitlane;  // the PIT row
};

// The column names line: "set,camera,f0,f0_hex,...,f13,f13_hex".
std::string CsvColumnNames();

// A row without its line end.
std::string TvCameraCsvRow(SetId set, int number, const TvCamera& camera);
std::string PitlaneCsvRow(const PitlaneCamera& camera);

struct CsvRowResult {
    bool ok = false;
    CsvCameraRow row;    // when ok
    int column = 0;      // when refused: the 1-based cell that is at fault
    std::string reason;  // when refused
};

// Reads one row (without its line end); never throws.
CsvRowResult ParseCsvRow(std::string_view line);

// Splits a line into cells; cells may be quoted ("a ""b""", as spreadsheets write
// them). On a malformed quote it returns false with the 1-based cell in badCell.
bool SplitCsvCells(std::string_view line, std::vector<std::string>& cells, int& badCell);

// A cell as written: quoted, with its quotes doubled, when it holds a comma, a quote
// or a line break; as it stands otherwise.
std::string CsvCell(std::string_view text);

const char* CsvSetName(CsvRowSet set);
// "TV1 camera 3" or "Pitlane camera", as findings and refusals name a camera.
std::string CsvCameraName(CsvRowSet set, int number);

}  // namespace vx
