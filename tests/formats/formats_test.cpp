// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// Quantity cells, CSV, the clipboard's camera records, and the check, diff and dump reports.
#include <gtest/gtest.h>

#include <QLocale>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>

#include "document/cam_reader.h"
#include "document/cam_writer.h"
#include "editing/field_entry.h"
#include "formats/cam_check.h"
#include "formats/cam_csv.h"
#include "formats/cam_csv_file.h"
#include "formats/cam_diff.h"
#include "formats/cam_json.h"
#include "formats/cam_text_table.h"
#include "formats/camera_clipboard_format.h"
#include "formats/field_quantity.h"
#include "support/cam_file_builder.h"
#include "support/sample_camera.h"

namespace vx {
namespace {

using testing::SampleCamera;

// Spelled out, so that a wrong conversion in the code cannot agree with itself.
std::uint32_t Degrees(double degrees) {
    return FloatBits(static_cast<float>(degrees * 3.14159265358979 / 180.0));
}

std::string Csv(const testing::CamFileParts& parts) {
    CamDocument doc;
    EXPECT_EQ(ParseCamBytes(parts.Bytes(), doc), LoadOutcome::Success);
    return CamDocumentCsv(doc);
}

// Row 1 of TV1 at 100 m, row 2 at 300 m with a signalling NaN, one TV2 camera.
testing::CamFileParts ThreeCameras() {
    testing::CamFileParts parts;
    parts.tv1 = {{FloatBits(100.0f)},
                 {FloatBits(300.0f), 0, FloatBits(8.0f), 0, 1, 0, 0, 0, Degrees(75)}};
    parts.tv1[1][12] = 0x7FA00001;
    parts.tv2 = {{FloatBits(50.0f)}};
    parts.pitlane[8] = FloatBits(-0.125f);
    parts.SetMatchingSizeField();
    return parts;
}
// Built on first use, so that a fault in the code behind it fails a test instead of
// the test program's start.
const std::string& BaseCsv() {
    static const std::string csv = Csv(ThreeCameras());
    return csv;
}
std::string Row2() {
    const std::string& csv = BaseCsv();
    const std::size_t at = csv.find("TV1,2,");
    return csv.substr(at, csv.find('\n', at) - at);
}

// The text with cell `cell` of the row that starts with `row` replaced.
std::string Cell(const char* row, std::size_t cell, const char* value,
                 std::string text = BaseCsv()) {
    std::size_t at = text.find(row);
    for (std::size_t c = 0; c < cell; ++c) at = text.find(',', at) + 1;
    return text.replace(at, text.find_first_of(",\n", at) - at, value);
}

TEST(Csv, RandomFilesRoundTripBitForBit) {
    EXPECT_TRUE(
        Row2().starts_with("TV1,2,300,43960000,0,00000000,8,41000000,0,00000000,1,00000001,0,"))
        << Row2();
    std::mt19937 random(20261206);
    for (int round = 0; round < 150; ++round) {
        testing::CamFileParts parts = testing::RandomCamFile(random);
        if (round % 3 == 0) parts.SetMatchingSizeField();  // most files' size fields are off
        const CsvImport back = ImportCamCsv(Csv(parts));
        ASSERT_TRUE(back.ok) << back.Message();
        ASSERT_EQ(SerializeCamDocument(*back.doc), parts.Content()) << "round " << round;
    }
}

TEST(Csv, EditedCellsAreEnteredAndTheSizeFieldIsRecomputedOnlyWhenACountChanged) {
    const std::pair<std::size_t, std::string> edits[] = {
        {2, "275.5"},    {18, "-45.5"},    {10, "0"},  // edited quantities
        {3, "43960000"}, {4, "\"0.000\""}, {5, "0"},
        {26, " nan "},   {27, "7fa00001"}};  // respelled, short and lower-case patterns
    std::string edited = BaseCsv();
    for (const auto& [cell, value] : edits) edited = Cell("TV1,2,", cell, value.c_str(), edited);
    const CsvImport edit = ImportCamCsv(edited);
    ASSERT_TRUE(edit.ok) << edit.Message();
    testing::CamFileParts expected = ThreeCameras();
    expected.tv1[1][0] = FloatBits(275.5f);
    expected.tv1[1][8] = Degrees(-45.5);
    expected.tv1[1][4] = 0;
    EXPECT_EQ(SerializeCamDocument(*edit.doc), expected.Content());
    testing::CamFileParts parts = ThreeCameras();
    parts.SetSizeField(999);  // wrong, but the file's own
    parts.header[0] = 'X';
    parts.tv2CountTail = {7, 8, 9};
    const std::string csv = Csv(parts);
    std::string shorter = csv;
    shorter.erase(csv.find("TV1,2,"), Row2().size() + 1);
    const CsvImport cut = ImportCamCsv(shorter);
    EXPECT_EQ(cut.doc->SizeField(), 56u * 2 + 60);
    EXPECT_EQ(cut.doc->Header[0], 'X');
    EXPECT_EQ(cut.doc->TV2.CountBytes, (std::array<std::uint8_t, 4>{1, 7, 8, 9}));
    // Without the carried lines the header is the editor's own; BOM, CR LF, blank lines are fine.
    std::string bare = "\xEF\xBB\xBF" + csv.substr(csv.find("set,camera")) + "\n\n";
    for (std::size_t at = bare.find('\n'); at != std::string::npos; at = bare.find('\n', at + 2))
        bare.insert(at, "\r");
    const CsvImport plain = ImportCamCsv(bare);
    ASSERT_TRUE(plain.ok) << plain.Message();
    EXPECT_EQ(plain.doc->Header,
              (std::array<std::uint8_t, 12>{77, 65, 67, 84, 0, 0, 0, 0, 228, 0, 0, 0}));
    EXPECT_EQ(plain.doc->TV2.CountBytes, (std::array<std::uint8_t, 4>{1, 0, 0, 0}));
}

TEST(Csv, RefusalsGiveLineAndColumnAndNoDocument) {
    const std::string pit = BaseCsv().substr(BaseCsv().find("PIT,"));
    std::string full = BaseCsv();
    for (int i = 3; i <= 256; ++i)
        full.insert(full.find("TV2,1,"), "TV1," + std::to_string(i) + Row2().substr(5) + "\n");
    const auto at = [](int line, int column) {
        return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": ";
    };
    const std::pair<std::string, std::string> cases[] = {
        {Cell("TV1,2,", 29, "XYZ"), at(6, 30) + "TV1 camera 2, Unknown, mail me if you know more!: "
                                                "\"XYZ\" is not a hex pattern of 1 to 8 digits"},
        {Cell("TV1,2,", 0, "TV3"), at(6, 1) + "\"TV3\" is not TV1, TV2 or PIT"},
        {Cell("TV1,2,", 1, "3"), at(6, 2) + "TV1 camera 2 expected, not 3"},
        {full, at(260, 2) + "\"256\" is not a camera number from 1 to 255"},
        {Cell("TV1,2,", 29, "0,1"), at(6, 31) + "more than 30 columns"},
        {Cell("PIT,", 28, "5"), at(8, 29) + "the pitlane camera has only 13 fields"},
        {Cell("PIT,", 6, "-1"),
         at(8, 7) +
             "Pitlane camera, Absolute z-coordinate [m]: -1 is outside the entry range 0 to 200"},
        {Cell("#header", 1, "4D4"), at(1, 2) + "\"4D4\" is not a byte in hex (00 to FF)"},
        {Cell("#header", 4, "55"), at(1, 5) + "header byte 3 must be 54 (the character T)"},
        {Cell("#count", 1, "TV3"), at(2, 2) + "a #count line names TV1 or TV2"},
        {Cell("#count", 0, "#cuont"), at(2, 1) + "\"#cuont\" is neither #header nor #count"},
        {Cell("set,", 9, "f3hex"), at(4, 10) + "expected the column name \"f3_hex\""},
        {BaseCsv().substr(BaseCsv().find("TV1,1,")),
         "line 1: the column names line (set,camera,...) must come first"},
        {BaseCsv().substr(0, BaseCsv().find("PIT,")), "no PIT row: the pitlane camera is missing"},
        {BaseCsv() + pit, at(9, 1) + "a second PIT row"}};
    for (const auto& [text, message] : cases) {
        const CsvImport imported = ImportCamCsv(text);
        EXPECT_EQ(std::tuple(imported.ok, !imported.doc, imported.Message()),
                  std::tuple(false, true, message));
    }
    // Rows cut short or with an open quote name the column after the last cell.
    for (const auto& [row, column] : {std::pair{Row2().substr(0, Row2().rfind(',')), 30},
                                      {std::string("TV1,1,\"0,00000000"), 3},
                                      {std::string(), 1}})
        EXPECT_EQ(ParseCsvRow(row).column, column) << row;
    // A spreadsheet may drop the pitlane row's empty cells at the end.
    const std::string trimmed = pit.substr(0, pit.find('\n') - 2);
    ASSERT_TRUE(ParseCsvRow(trimmed).ok) << trimmed;
    EXPECT_EQ(ParseCsvRow(trimmed).row.pitlane.Raw(8), FloatBits(-0.125f));
}

const FieldInfo& Tv(int field) { return TvFieldInfo(SetId::TV1, field); }
const FieldInfo& Pit(int field) { return PitlaneFieldInfo(field); }

const int kAllFields = kTvFieldCount + kPitlaneFieldCount;
const FieldInfo& Field(int k) { return k < kTvFieldCount ? Tv(k) : Pit(k - kTvFieldCount); }

TEST(FieldQuantity, EveryFinitePatternReadsBackExactlyFromItsText) {
    std::mt19937 random(7);
    std::vector<std::uint32_t> words = {0x7F7FFFFF, 0xFF7FFFFF, 0x00000001,
                                        0x80000001, 0x80000000, 0x00800000};
    while (words.size() < 20000) words.push_back(static_cast<std::uint32_t>(random()));
    for (std::uint32_t raw : words)
        for (int k = 0; k < kAllFields && std::isfinite(BitsFloat(raw)); ++k) {
            const bool pitlane = k >= kTvFieldCount;
            const std::string text = FormatQuantity(Field(k), pitlane, raw);
            ASSERT_EQ(QuantityPattern(Field(k), pitlane, text), raw) << k << " " << text;
        }
}

// A spreadsheet cell and the same number typed into the editor (comma locale) agree.
TEST(FieldQuantity, ShownWithAFullStopAndJudgedExactlyAsTypedValues) {
    const QLocale before;
    QLocale typing(QLocale::German, QLocale::Germany);
    QLocale::setDefault(typing);
    // Not the editor's rounded display ("29"): 0.5 rad is 28.6478897... degrees.
    EXPECT_EQ(FormatQuantity(Tv(0), false, FloatBits(12.5f)) + " " +
                  FormatQuantity(Tv(4), false, 0x3F800000) + " " +
                  FormatQuantity(Tv(12), false, Degrees(-30)) + " " +
                  FormatQuantity(Pit(8), true, FloatBits(-0.125f)),
              "12.5 1065353216 -30 -0.125");
    EXPECT_TRUE(FormatQuantity(Tv(8), false, FloatBits(0.5f)).starts_with("28.6478"));
    typing.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(typing);
    std::mt19937 random(12);
    std::uniform_real_distribution<double> spread(-1.0, 1.0);
    for (int field = 0; field < kAllFields; ++field) {
        const bool pitlane = field >= kTvFieldCount;
        const int k = pitlane ? field - kTvFieldCount : field;
        const FieldInfo& info = Field(field);
        if (!info.typedEntry) continue;
        std::vector<double> numbers = {3.5e38, -3.4028235e38, 1e-45};
        for (double bound : {info.minimum, info.maximum})
            for (double step : {0.0, 1e-4, -1e-4, 1e-6, -1e-6, 1e-9, -1e-9})
                numbers.push_back(bound + step);
        for (int i = 0; i < 100; ++i) numbers.push_back(spread(random) * 1.1 * info.maximum);
        for (double number : numbers) {
            char cell[64];
            const auto end = std::to_chars(cell, cell + sizeof cell, number).ptr;
            const QuantityEntry edited =
                EnterQuantity(info, pitlane, std::string_view(cell, end - cell));
            CamDocument doc;
            NewDocument(doc);
            const std::string typed = typing.toString(number, 'g', 17).toStdString();
            const EntryResult result = pitlane ? EnterPitlaneField(doc, k, typed)
                                               : EnterTvField(doc, SetId::TV1, 1, k, typed, false);
            ASSERT_EQ(edited.raw.has_value(), result == EntryResult::Accepted)
                << "field " << field << ": " << typed;
            ASSERT_NE(edited.raw.has_value(), !edited.reason.empty()) << typed;
            const std::uint32_t stored = pitlane ? doc.Pitlane.Raw(k) : doc.TV1.Camera(1).Raw(k);
            EXPECT_EQ(edited.raw.value_or(stored), stored) << typed;
        }
    }
    QLocale::setDefault(before);
    const std::tuple<const FieldInfo&, const char*, std::uint32_t, const char*> cases[] = {
        {Tv(4), "+1", 1, ""},
        {Tv(0), " +1.5e2 ", FloatBits(150.0f), ""},
        {Tv(4), "1.0", 0, "\"1.0\" is not 0 or 1"},
        {Tv(13), "5", 0, "a field that is not editable was changed"},
        {Tv(0), "+-5", 0, "\"+-5\" is not a number"},
        {Tv(0), "-3", 0, "-3 is outside the entry range 0 to 50000"}};
    for (const auto& [info, text, raw, reason] : cases) {
        const QuantityEntry entry = EnterQuantity(info, false, text);
        EXPECT_EQ(entry.raw.value_or(0), raw) << text;
        EXPECT_EQ(entry.reason, reason);
    }
    EXPECT_EQ(ParseHexPattern("FFFFFFFF"), 0xFFFFFFFFu);
    for (const char* text : {"100000000", "000000001", "12G4", "-1", ""})
        EXPECT_EQ(ParseHexPattern(text), std::nullopt) << text;
}

TEST(CameraClipboard, RecordBytesAreLittleEndianAndTextRowsReadInOrderOrAreNamed) {
    const std::vector<TvCamera> cameras{SampleCamera(BitsFloat(0x11223344u), 0xFFC00001u),
                                        SampleCamera(5.0f)};
    const std::string bytes = CameraRecordBytes(cameras);
    ASSERT_EQ(bytes.size(), 112u);
    EXPECT_EQ(bytes.substr(0, 4) + bytes.substr(52, 4),
              std::string("\x44\x33\x22\x11\x01\x00\xC0\xFF", 8));
    EXPECT_EQ(CamerasFromRecordBytes(bytes), cameras);
    for (const std::string& cut :
         {std::string(), bytes.substr(0, 55), bytes + "x", std::string(256 * 56, '\0')})
        EXPECT_FALSE(CamerasFromRecordBytes(cut).has_value()) << cut.size();
    EXPECT_TRUE(CamerasFromRecordBytes(std::string(255 * 56, '\0')).has_value());
    const std::string good = TvCameraCsvRow(SetId::TV1, 1, SampleCamera(1, 0x7F800001u));
    // BOM, header and blank lines, tabs, short hex cells: what editors and spreadsheets make.
    std::string tabbed = TvCameraCsvRow(SetId::TV2, 9, SampleCamera(3));
    tabbed.replace(tabbed.find(",00000001,"), 10, ",1,");
    for (char& c : tabbed) c = c == ',' ? '\t' : c;
    const std::string text = "\xEF\xBB\xBF#header,4D\n#count,TV2,01,00,00,00\r" + CsvColumnNames() +
                             "\n" + tabbed + "\r\n  \n" + good;
    const ClipboardCameras read = CamerasFromClipboardText(text);
    ASSERT_TRUE(read.Ok()) << read.refusal;
    EXPECT_EQ(read.cameras, (std::vector<TvCamera>{SampleCamera(3), SampleCamera(1, 0x7F800001u)}));

    const std::string pit = PitlaneCsvRow({});
    std::string flag = good;
    flag.replace(flag.find(",1,00000001,"), 3, ",2,");
    const std::pair<std::string, const char*> refusals[] = {
        {"\n\n", "Clipboard holds no camera. Ready."},
        {pit, "Clipboard holds no camera. Ready."},
        {good + "\n" + pit,
         "Clipboard row 2, column 1: the pitlane camera is no TV camera. Ready."},
        {"#x\n\n" + good + "\n" + good.substr(0, good.rfind(',')), "Clipboard row 4, column 30: "},
        {flag, "Clipboard row 1, column 11: "}};
    for (const auto& [clip, refusal] : refusals) {
        const ClipboardCameras r = CamerasFromClipboardText(clip);
        EXPECT_TRUE(r.refusal.starts_with(refusal) && r.cameras.empty()) << r.refusal;
    }
    // Only camera rows count as cameras for an entry box.
    for (const char* clip : {"12.5", "TV1-Cameras", "set,camera"})
        EXPECT_FALSE(HoldsCameraRows(clip)) << clip;
    for (const char* clip : {"TV2,1,broken", "\"TV1\"\t1", "PIT,1"})
        EXPECT_TRUE(HoldsCameraRows(clip)) << clip;
}

float Radians(double degrees) { return BitsFloat(Degrees(degrees)); }

// Two tidy cameras per set, every value inside the editor's ranges.
CamDocument CleanDocument() {
    CamDocument doc;
    NewDocument(doc);
    for (SetId id : {SetId::TV1, SetId::TV2}) {
        doc.Set(id).SetCount(2);
        for (int i = 1; i <= 2; ++i) {
            TvCamera& camera = doc.Set(id).Camera(i);
            camera.SetFloat(0, 100.0f * static_cast<float>(i));
            camera.SetFloat(2, 6.0f);
            camera.SetInt(4, i % 2);
            camera.SetFloat(8, Radians(360));
            camera.SetFloat(12, 1e30f);  // unknown fields have no range
        }
    }
    doc.Pitlane.SetFloat(2, 200.0f);
    doc.Pitlane.SetFloat(6, Radians(360));
    UpdateHeaderSize(doc);
    return doc;
}

TEST(CheckDiffAndDump, FindingsNameSetCameraFieldQuantitiesAndPatterns) {
    EXPECT_EQ(CheckCamDocument(CleanDocument(), 0), std::vector<std::string>{});
    CamDocument doc = CleanDocument();
    doc.Header[8] = 1;
    doc.TV2.Camera(2).SetFloat(0, 99.5f);
    doc.TV1.Camera(1).SetFloat(2, -1.0f);
    doc.TV1.Camera(2).SetFloat(8, Radians(400));
    doc.TV2.Camera(1).SetRaw(5, 0x7FC00000);
    doc.TV1.Camera(1).SetInt(4, 2);
    doc.Pitlane.SetFloat(6, -std::numeric_limits<float>::infinity());
    EXPECT_EQ(
        CheckCamDocument(doc, 12),
        (std::vector<std::string>{
            "Header, size field: 257 does not match the counts, which call for 284",
            "TV1 camera 1, Height from the ground [m]: -1 is outside the entry range 0 to 200",
            "TV1 camera 1, Fixed (check) or moving (uncheck) camera: holds 2, not 0 or 1",
            "TV1 camera 2, Yaw [°] (fixed cam): 400 is outside the entry range -360 to 360",
            "TV2 camera 1, Initial zoom factor [-] (moving cam): not a finite number (nan, "
            "7FC00000)",
            "TV2 camera 2, Distance from s/f-line [m]: 99.5 lies before camera 1 at 100",
            "Pitlane camera, Opening angle [°]: not a finite number (-inf, FF800000)",
            "File: 12 bytes after the pitlane record, which the editor neither reads nor writes"}));
    CamDocument empty = CleanDocument();
    empty.TV2.SetCount(0);
    empty.TV1.Camera(2).SetFloat(0, 100.0f);  // two cameras at one distance are in order
    UpdateHeaderSize(empty);
    EXPECT_EQ(CheckCamDocument(empty, 0), std::vector<std::string>{"TV2: the set has no camera"});
    const CamDocument a = CleanDocument();
    EXPECT_EQ(DiffCamDocuments({a, 0}, {a, 0}), std::vector<std::string>{});
    CamDocument b = a;
    b.TV1.Camera(2).SetFloat(2, 7.5f);
    b.Pitlane.SetRaw(8, 0x7FC00001);
    b.TV1.SetCount(4);
    b.TV1.Camera(3).SetFloat(0, 400.0f);
    UpdateHeaderSize(b);
    EXPECT_EQ(
        DiffCamDocuments({a, 0}, {b, 3}),
        (std::vector<std::string>{
            "Header: 4D 41 43 54 00 00 00 00 1C 01 00 00 in A, 4D 41 43 54 00 00 00 00 8C 01 00 00 "
            "in B",
            "TV1 count bytes: 02 00 00 00 in A (2 cameras), 04 00 00 00 in B (4 cameras)",
            "TV1 camera 2, Height from the ground [m]: 6 (40C00000) in A, 7.5 (40F00000) in B",
            "TV1 camera 3: only in B", "TV1 camera 4: only in B",
            "Pitlane camera, Leave this value at -0.125!: -0.125 (BE000000) in A, nan (7FC00001) "
            "in B",
            "Bytes after the pitlane record: 0 in A, 3 in B"}));
    EXPECT_EQ(DiffCamDocuments({b, 0}, {a, 0}).at(3), "TV1 camera 3: only in A");
    // Two NaN patterns differ even though both read as "nan".
    CamDocument c = b;
    c.Pitlane.SetRaw(8, 0x7FC00002);
    EXPECT_EQ(DiffCamDocuments({b, 0}, {c, 0}).size(), 1u);
    CamDocument dumped = CleanDocument();
    dumped.TV2.SetCount(0);
    dumped.TV2.CountBytes[2] = 0xAB;
    dumped.Header[5] = 0x22;
    dumped.TV1.Camera(2).SetFloat(0, 480.0f);
    dumped.TV1.Camera(2).SetRaw(13, 0x7FC0BEEF);
    UpdateHeaderSize(dumped);
    const std::string json = CamDocumentJson(dumped), text = CamDocumentTextTable(dumped);
    for (const char* item :
         {"\"header\": [77, 65, 67, 84, 0, 34, 0, 0, 172, 0, 0, 0]", "\"sizeField\": 172",
          "\"countBytes\": [0, 0, 171, 0]", "\"cameras\": []",
          "\"label\": \"Distance from s/f-line [m] -->\", \"kind\": \"Length\", \"value\": 480, "
          "\"raw\": \"43F00000\"",
          "\"value\": \"nan\", \"raw\": \"7FC0BEEF\"", "\"value\": -0.125, \"raw\": \"BE000000\""})
        EXPECT_NE(json.find(item), std::string::npos) << item << "\n" << json.substr(0, 3000);
    EXPECT_EQ(json.find("\"field\": 14"), std::string::npos) << "a TV camera has fields 0 to 13";
    for (const char* line :
         {"Header 4D 41 43 54 00 22 00 00 AC 00 00 00", "TV1: 2 cameras  (count bytes 02 00 00 00)",
          "TV2: 0 cameras  (count bytes 00 00 AB 00)", "TV1 camera 1 (fixed)",
          "Leave this value at -0.125!", "[m]                      480             43F00000\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;  // lined up
}

}  // namespace
}  // namespace vx
