// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "formats/camera_clipboard_format.h"

#include "document/little_endian.h"
#include "editing/camera_set_ops.h"
#include "formats/cam_csv.h"
#include "formats/field_quantity.h"

namespace vx {

namespace {

enum class LineKind { Skipped, Tv, Pitlane, Other };

struct ClipboardLine {
    int number = 0;  // counted from 1, blank and skipped lines included
    std::string_view text;
};

// \r\n, \n and \r all end a line: the clipboard carries whatever the source wrote,
// a text editor's byte-order mark included.
std::vector<ClipboardLine> Lines(std::string_view text) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    std::vector<ClipboardLine> lines;
    int number = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        lines.push_back({++number, text.substr(start, stop - start)});
        if (end == std::string_view::npos) break;
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

std::string_view FirstCell(std::string_view line) {
    std::string_view cell = Trim(line.substr(0, line.find_first_of(",\t")));
    if (cell.size() >= 2 && cell.front() == '"' && cell.back() == '"') {
        cell = Trim(cell.substr(1, cell.size() - 2));
    }
    return cell;
}

LineKind KindOf(std::string_view line) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == '#') return LineKind::Skipped;
    const std::string_view first = FirstCell(text);
    if (first == "set") return LineKind::Skipped;  // the column names
    if (first == "TV1" || first == "TV2") return LineKind::Tv;
    if (first == "PIT") return LineKind::Pitlane;
    return LineKind::Other;
}

// Spreadsheets copy cells separated by tabs; the row reader wants commas.
std::string CommaSeparated(std::string_view line) {
    if (line.find('\t') == std::string_view::npos) return std::string(line);
    std::string row;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        const std::string_view cell =
            line.substr(start, tab == std::string_view::npos ? line.npos : tab - start);
        if (start > 0) row += ',';
        if (cell.find_first_of(",\"") == std::string_view::npos) {
            row += cell;
        } else {
            row += '"';
            for (char c : cell) row += c == '"' ? std::string("\"\"") : std::string(1, c);
            row += '"';
        }
        if (tab == std::string_view::npos) return row;
        start = tab + 1;
    }
}

ClipboardCameras Refuse(int line, int column, const std::string& reason) {
    ClipboardCameras result;
    result.refusal = "Clipboard row " + std::to_string(line) + ", column " +
                     std::to_string(column) + ": " + reason + ". Ready.";
    return result;
}

}  // namespace

std::string CameraClipboardText(SetId set, int number, const TvCamera& camera) {
    return TvCameraCsvRow(set, number, camera);
}

std::string CameraRecordBytes(const std::vector<TvCamera>& cameras) {
    std::string bytes;
    bytes.reserve(cameras.size() * kTvRecordBytes);
    for (const TvCamera& camera : cameras) {
        for (std::uint32_t raw : camera.Fields) AppendLittleEndian(bytes, raw);
    }
    return bytes;
}

std::optional<std::vector<TvCamera>> CamerasFromRecordBytes(std::string_view bytes) {
    const std::size_t count = bytes.size() / kTvRecordBytes;
    if (bytes.size() % kTvRecordBytes != 0 || count == 0 ||
        count > static_cast<std::size_t>(kMaxCamerasPerSet)) {
        return std::nullopt;
    }
    std::vector<TvCamera> cameras(count);
    for (std::size_t c = 0; c < count; ++c) {
        for (int k = 0; k < kTvFieldCount; ++k) {
            cameras[c].SetRaw(k, LoadLittleEndian(bytes.data() + c * kTvRecordBytes + 4 * k));
        }
    }
    return cameras;
}

ClipboardCameras CamerasFromClipboardText(std::string_view text) {
    std::vector<ClipboardLine> rows;
    bool anyTv = false;
    for (const ClipboardLine& line : Lines(text)) {
        const LineKind kind = KindOf(line.text);
        if (kind == LineKind::Skipped) continue;
        anyTv = anyTv || kind == LineKind::Tv;
        rows.push_back(line);
    }
    if (!anyTv) return ClipboardCameras{{}, kNoCameraOnClipboardText};

    ClipboardCameras result;
    for (const ClipboardLine& line : rows) {
        // More rows than a set can hold are refused by the paste whatever they say.
        if (result.cameras.size() > static_cast<std::size_t>(kMaxCamerasPerSet)) break;
        if (KindOf(line.text) == LineKind::Pitlane) {
            return Refuse(line.number, 1, "the pitlane camera is no TV camera");
        }
        const CsvRowResult row = ParseCsvRow(CommaSeparated(line.text));
        if (!row.ok) return Refuse(line.number, row.column, row.reason);
        result.cameras.push_back(row.row.tv);
    }
    return result;
}

bool HoldsCameraRows(std::string_view text) {
    for (const ClipboardLine& line : Lines(text)) {
        const LineKind kind = KindOf(line.text);
        if (kind == LineKind::Tv || kind == LineKind::Pitlane) return true;
    }
    return false;
}

}  // namespace vx
