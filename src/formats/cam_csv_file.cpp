// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "formats/cam_csv_file.h"

#include <optional>
#include <vector>

#include "formats/cam_csv.h"
#include "formats/field_quantity.h"

namespace vx {

namespace {

constexpr std::uint8_t kSignatureByte3 = 84;  // 'T'

template <std::size_t N>
std::string ByteCells(const std::array<std::uint8_t, N>& bytes) {
    std::string cells;
    for (std::uint8_t byte : bytes) cells += "," + HexByte(byte);
    return cells;
}

struct Refusal {
    int line = 0;
    int column = 0;
    std::string reason;
};

// Reads N byte cells starting at cell `first` (0-based).
template <std::size_t N>
std::optional<Refusal> ReadBytes(const std::vector<std::string>& cells, std::size_t first,
                                 std::array<std::uint8_t, N>& bytes, int line) {
    if (cells.size() != first + N) {
        return Refusal{line, 0,
                       "expected " + std::to_string(N) + " bytes in hex after \"" +
                           std::string(Trim(cells[0])) + "\""};
    }
    for (std::size_t i = 0; i < N; ++i) {
        const std::string_view cell = Trim(cells[first + i]);
        const std::optional<std::uint32_t> value = ParseHexPattern(cell);
        if (!value || cell.size() > 2) {
            return Refusal{line, static_cast<int>(first + i) + 1,
                           "\"" + std::string(cell) + "\" is not a byte in hex (00 to FF)"};
        }
        bytes[i] = static_cast<std::uint8_t>(*value);
    }
    return std::nullopt;
}

class Importer {
  public:
    Importer() : doc_(std::make_unique<CamDocument>()) { NewDocument(*doc_); }

    std::optional<Refusal> Line(std::string_view text, int line) {
        if (Trim(text).empty()) return std::nullopt;
        std::vector<std::string> cells;
        int badCell = 0;
        if (!SplitCsvCells(text, cells, badCell))
            return Refusal{line, badCell, "unbalanced quotes"};
        const std::string_view first = Trim(cells[0]);
        if (first == "#header") return Header(cells, line);
        if (first == "#count") return Count(cells, line);
        if (!first.empty() && first.front() == '#') {
            return Refusal{line, 1, "\"" + std::string(first) + "\" is neither #header nor #count"};
        }
        if (first == "set") return ColumnNames(cells, line);
        if (!namesSeen_) {
            return Refusal{line, 0, "the column names line (set,camera,...) must come first"};
        }
        return Row(text, line);
    }

    CsvImport Finish() {
        CsvImport result;
        if (!pitlaneSeen_) {
            result.reason = "no PIT row: the pitlane camera is missing";
            return result;
        }
        bool countsChanged = !headerCarried_;
        for (SetId id : {SetId::TV1, SetId::TV2}) {
            const int index = id == SetId::TV1 ? 0 : 1;
            CameraSet& set = doc_->Set(id);
            if (!countCarried_[index] || set.CountBytes[0] != rows_[index]) countsChanged = true;
            set.SetCount(rows_[index]);
        }
        if (countsChanged) UpdateHeaderSize(*doc_);
        result.ok = true;
        result.doc = std::move(doc_);
        return result;
    }

  private:
    std::optional<Refusal> Header(const std::vector<std::string>& cells, int line) {
        if (headerCarried_) return Refusal{line, 1, "a second #header line"};
        headerCarried_ = true;
        if (auto refusal = ReadBytes(cells, 1, doc_->Header, line)) return refusal;
        // Written anyway, the file could not be loaded again by the editor or this tool.
        if (doc_->Header[3] != kSignatureByte3) {
            return Refusal{line, 5, "header byte 3 must be 54 (the character T)"};
        }
        return std::nullopt;
    }

    std::optional<Refusal> Count(const std::vector<std::string>& cells, int line) {
        const std::string_view name = cells.size() > 1 ? Trim(cells[1]) : std::string_view{};
        if (name != "TV1" && name != "TV2") {
            return Refusal{line, 2, "a #count line names TV1 or TV2"};
        }
        const int index = name == "TV1" ? 0 : 1;
        if (countCarried_[index]) {
            return Refusal{line, 1, "a second #count line for " + std::string(name)};
        }
        countCarried_[index] = true;
        CameraSet& set = index == 0 ? doc_->TV1 : doc_->TV2;
        return ReadBytes(cells, 2, set.CountBytes, line);
    }

    std::optional<Refusal> ColumnNames(const std::vector<std::string>& cells, int line) {
        if (namesSeen_) return Refusal{line, 1, "a second column names line"};
        std::vector<std::string> expected;
        int unused = 0;
        SplitCsvCells(CsvColumnNames(), expected, unused);
        for (std::size_t c = 0; c < expected.size(); ++c) {
            if (c >= cells.size() || Trim(cells[c]) != expected[c]) {
                return Refusal{line, static_cast<int>(c) + 1,
                               "expected the column name \"" + expected[c] + "\""};
            }
        }
        if (cells.size() > expected.size()) {
            return Refusal{line, static_cast<int>(expected.size()) + 1,
                           "more column names than "
                           "fields"};
        }
        namesSeen_ = true;
        return std::nullopt;
    }

    std::optional<Refusal> Row(std::string_view text, int line) {
        CsvRowResult parsed = ParseCsvRow(text);
        if (!parsed.ok) return Refusal{line, parsed.column, parsed.reason};
        const CsvCameraRow& row = parsed.row;
        if (row.set == CsvRowSet::PIT) {
            if (pitlaneSeen_) return Refusal{line, 1, "a second PIT row"};
            pitlaneSeen_ = true;
            doc_->Pitlane = row.pitlane;
            return std::nullopt;
        }
        const int index = row.set == CsvRowSet::TV1 ? 0 : 1;
        if (row.number != rows_[index] + 1) {
            return Refusal{line, 2,
                           std::string(CsvSetName(row.set)) + " camera " +
                               std::to_string(rows_[index] + 1) + " expected, not " +
                               std::to_string(row.number)};
        }
        CameraSet& set = index == 0 ? doc_->TV1 : doc_->TV2;
        set.Camera(row.number) = row.tv;
        rows_[index] = row.number;
        return std::nullopt;
    }

    std::unique_ptr<CamDocument> doc_;
    bool headerCarried_ = false;
    bool countCarried_[2] = {false, false};
    bool namesSeen_ = false;
    bool pitlaneSeen_ = false;
    int rows_[2] = {0, 0};
};

}  // namespace

std::string CamDocumentCsv(const CamDocument& doc) {
    std::string text = "#header" + ByteCells(doc.Header) + "\n";
    text += "#count,TV1" + ByteCells(doc.TV1.CountBytes) + "\n";
    text += "#count,TV2" + ByteCells(doc.TV2.CountBytes) + "\n";
    text += CsvColumnNames() + "\n";
    for (SetId id : {SetId::TV1, SetId::TV2}) {
        const CameraSet& set = doc.Set(id);
        for (int i = 1; i <= set.Count(); ++i) text += TvCameraCsvRow(id, i, set.Camera(i)) + "\n";
    }
    return text + PitlaneCsvRow(doc.Pitlane) + "\n";
}

std::string CsvImport::Message() const {
    if (line == 0) return reason;
    std::string where = "line " + std::to_string(line);
    if (column > 0) where += ", column " + std::to_string(column);
    return where + ": " + reason;
}

CsvImport ImportCamCsv(std::string_view text) {
    // A byte order mark, as some spreadsheets write one.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    Importer importer;
    int line = 0;
    while (!text.empty()) {
        ++line;
        const std::size_t end = text.find('\n');
        std::string_view current = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (current.ends_with('\r')) current.remove_suffix(1);
        if (std::optional<Refusal> refusal = importer.Line(current, line)) {
            CsvImport result;
            result.line = refusal->line;
            result.column = refusal->column;
            result.reason = std::move(refusal->reason);
            return result;
        }
    }
    return importer.Finish();
}

}  // namespace vx
