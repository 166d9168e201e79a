// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The camera clipboard on the TV pages: copy and paste through the system clipboard,
// bit for bit between sets, from edited CSV text, and its refusals.
#include <QAction>
#include <QClipboard>
#include <QMimeData>

#include "editing/camera_set_ops.h"
#include "editor_fixture.h"
#include "formats/cam_csv.h"
#include "formats/camera_clipboard_format.h"
#include "ui/camera_overview.h"

namespace vx::testing {
namespace {

constexpr std::uint32_t kNaNPattern = 0x7FC0BEEFu;

// A camera whose every field is set, with odd values and a NaN pattern in field 12.
TvCamera Distinct(float distance) {
    TvCamera camera;
    camera.SetFloat(0, distance);
    camera.SetFloat(1, -3.3333333f);
    camera.SetFloat(2, 7.1234567f);
    camera.SetFloat(3, 33.3f);
    camera.SetInt(TvField::Mode, 1);
    camera.SetFloat(5, 0.7f);
    camera.SetFloat(6, 1.0000001f);
    camera.SetFloat(7, 9.99f);
    camera.SetFloat(8, 0.12345679f);
    camera.SetFloat(9, -1.5707964f);
    camera.SetFloat(10, 3.0e-8f);
    camera.SetFloat(11, 1.2f);
    camera.SetRaw(12, kNaNPattern);
    camera.SetRaw(13, 0x80000000u);  // minus zero
    return camera;
}

class ClipboardTest : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        QGuiApplication::clipboard()->clear();
    }
    FrmMain& StartWith(const CamDocument& doc) {
        FrmMain& w = Restart();
        Activate();
        dialog.picks.push_back(WriteCam("track.cam", doc));
        w.cmdLoadCAMFile_Click();
        EXPECT_EQ(Status(), "File loaded, data read. Ready.");
        return w;
    }
    // TV1: cameras at 100 and 300 and a distinct camera at 200 between them; TV2: one.
    CamDocument ThreeCameras() {
        CamDocument doc = DocumentWithTv1({100.0f, 200.0f, 300.0f});
        doc.TV1.Camera(2) = Distinct(200.0f);
        return doc;
    }
    // Puts the focus on the page (on its strip), where the keys act on cameras.
    void FocusPage(TvPage& page) {
        window->CamData()->setCurrentWidget(&page);
        page.Overview()->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(page.Overview()->hasFocus());
    }
    void Keys(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void CopyKeys() { Keys(Qt::Key_C, Qt::ControlModifier); }
    void PasteBehindKeys() { Keys(Qt::Key_V, Qt::ControlModifier); }
    void PasteBeforeKeys() { Keys(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier); }
    void SetClipboardText(const std::string& text) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    }
    const CameraSet& Set(SetId set) { return window->Document().Set(set); }
    std::string KOfN(TvPage& page) {
        return Shown(page.CurrentCam()) + " of " + Shown(page.TotalCams());
    }
};

TEST_F(ClipboardTest, CopyThenPasteIntoTheOtherSetReproducesTheRecordBitForBit) {
    FrmMain& w = StartWith(ThreeCameras());
    const TvCamera original = Set(SetId::TV1).Camera(2);
    ClickUp(Tv1().SelectionSpinner());
    ASSERT_EQ(Tv1().Shown(), 2);

    const bool saved = w.Document().DataSaved;
    FocusPage(Tv1());
    CopyKeys();
    EXPECT_EQ(Status(), "Camera copied. Ready.");
    EXPECT_EQ(w.Document().DataSaved, saved) << "a copy changes nothing";
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data(kCameraMimeType).size(), 56);
    // The text is camtool's row, which reads back as the very same camera.
    const CsvRowResult row = ParseCsvRow(data->text().toStdString());
    ASSERT_TRUE(row.ok) << row.reason;
    EXPECT_EQ(row.row.tv, original);
    EXPECT_EQ(row.row.set, CsvRowSet::TV1);
    EXPECT_EQ(row.row.number, 2);
    const std::string copiedText = data->text().toStdString();

    FocusPage(Tv2());
    PasteBehindKeys();
    ASSERT_EQ(Set(SetId::TV2).Count(), 2);
    EXPECT_EQ(Set(SetId::TV2).Camera(2).Fields, original.Fields);
    EXPECT_EQ(Set(SetId::TV2).Camera(2).Raw(12), kNaNPattern);
    EXPECT_EQ(KOfN(Tv2()), "2 of 2");
    EXPECT_EQ(Tv2().SelectionSpinner()->Maximum(), 2);
    EXPECT_EQ(Shown(Tv2().CamData(0)), "200");
    EXPECT_FALSE(w.Document().DataSaved);
    EXPECT_EQ(w.Document().SizeField(), w.Document().ExpectedSizeField());
    EXPECT_EQ(Set(SetId::TV1).Count(), 3) << "the source set keeps its cameras";

    // Text alone, as from another program, is bit-exact too; Ctrl+Shift+V goes before.
    SetClipboardText(copiedText);
    FocusPage(Tv2());
    PasteBeforeKeys();
    ASSERT_EQ(Set(SetId::TV2).Count(), 3);
    EXPECT_EQ(Set(SetId::TV2).Camera(2).Fields, original.Fields);
    EXPECT_EQ(Set(SetId::TV2).Camera(3).Fields, original.Fields);
    EXPECT_FLOAT_EQ(Set(SetId::TV2).Camera(1).Float(0), 42.0f);
    EXPECT_EQ(KOfN(Tv2()), "2 of 3");
    EXPECT_EQ(Tv2().Overview()->Strip().marks.size(), 3u);
}

TEST_F(ClipboardTest, PasteBeyond255CamerasIsRefusedWholeWithTheSetsMessage) {
    std::vector<float> distances;
    for (int i = 0; i < 254; ++i) distances.push_back(10.0f * static_cast<float>(i + 1));
    CamDocument doc = DocumentWithTv1(distances);
    FrmMain& w = StartWith(doc);
    const CamDocument before = w.Document();
    const bool saved = w.Document().DataSaved;

    // Two records do not fit beside 254 cameras: nothing of the block goes in.
    auto block = std::make_unique<QMimeData>();
    const std::string two = CameraRecordBytes({Distinct(5.0f), Distinct(6.0f)});
    block->setData(kCameraMimeType, QByteArray(two.data(), static_cast<qsizetype>(two.size())));
    QGuiApplication::clipboard()->setMimeData(block.release());
    FocusPage(Tv1());
    PasteBehindKeys();
    EXPECT_EQ(Status(),
              "Sorry, but maximum of possible TV1-cameras (256) has already been reached. Ready.");
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_TRUE(w.Document().SameContent(before));
    EXPECT_EQ(w.Document().DataSaved, saved);
    EXPECT_EQ(KOfN(Tv1()), "1 of 254");

    // One fits, making 255; the next is refused.
    SetClipboardText(TvCameraCsvRow(SetId::TV2, 1, Distinct(5.0f)));
    PasteBehindKeys();
    EXPECT_EQ(Set(SetId::TV1).Count(), 255);
    EXPECT_EQ(KOfN(Tv1()), "2 of 255");
    const CamDocument full = w.Document();
    PasteBeforeKeys();
    EXPECT_EQ(beeper.beeps, 2);
    EXPECT_EQ(Status(),
              "Sorry, but maximum of possible TV1-cameras (256) has already been reached. Ready.");
    EXPECT_TRUE(w.Document().SameContent(full));
}

TEST_F(ClipboardTest, MultiRowTextPastesInOrderWithHeaderLinesSkipped) {
    FrmMain& w = StartWith(DocumentWithTv1({100.0f, 300.0f}));
    const TvCamera old2 = Set(SetId::TV1).Camera(2);
    // As camtool dumps a file, with Windows line ends and rows of both sets.
    const std::string text =
        "#header,4D,41,43,54,00,00,00,00,AC,00,00,00\r\n"
        "#count,TV1,03,00,00,00\r\n" +
        CsvColumnNames() + "\r\n" + TvCameraCsvRow(SetId::TV1, 1, Distinct(150.0f)) + "\r\n" +
        TvCameraCsvRow(SetId::TV2, 7, Distinct(160.0f)) + "\r\n\r\n" +
        TvCameraCsvRow(SetId::TV1, 3, Distinct(170.0f)) + "\r\n";
    SetClipboardText(text);
    FocusPage(Tv1());
    PasteBehindKeys();
    ASSERT_EQ(Set(SetId::TV1).Count(), 5);
    EXPECT_FLOAT_EQ(Set(SetId::TV1).Camera(1).Float(0), 100.0f);
    EXPECT_EQ(Set(SetId::TV1).Camera(2).Fields, Distinct(150.0f).Fields);
    EXPECT_EQ(Set(SetId::TV1).Camera(3).Fields, Distinct(160.0f).Fields);
    EXPECT_EQ(Set(SetId::TV1).Camera(4).Fields, Distinct(170.0f).Fields);
    EXPECT_EQ(Set(SetId::TV1).Camera(5).Fields, old2.Fields);
    EXPECT_EQ(KOfN(Tv1()), "2 of 5");
    EXPECT_EQ(w.Document().SizeField(), w.Document().ExpectedSizeField());
}

TEST_F(ClipboardTest, TextThatIsNoCameraOrFailsARangeChangesNothing) {
    FrmMain& w = StartWith(ThreeCameras());
    const CamDocument before = w.Document();
    const bool saved = w.Document().DataSaved;
    FocusPage(Tv1());
    int beeps = 0;
    auto refused = [&](const std::string& text) {
        SetClipboardText(text);
        PasteBehindKeys();
        EXPECT_EQ(beeper.beeps, ++beeps) << text;
        EXPECT_TRUE(w.Document().SameContent(before)) << text;
        EXPECT_EQ(w.Document().DataSaved, saved) << text;
        EXPECT_EQ(KOfN(Tv1()), "1 of 3") << text;
        return Status();
    };
    EXPECT_EQ(refused("Hello, world"), "Clipboard holds no camera. Ready.");
    EXPECT_EQ(refused(""), "Clipboard holds no camera. Ready.");
    EXPECT_EQ(refused(CsvColumnNames()), "Clipboard holds no camera. Ready.");
    EXPECT_EQ(refused(PitlaneCsvRow(w.Document().Pitlane)), "Clipboard holds no camera. Ready.");

    // The second camera row (line 3 of the text) holds a height of 300: the whole block
    // is refused with that row and the height's quantity column.
    std::vector<std::string> cells;
    int bad = 0;
    ASSERT_TRUE(SplitCsvCells(TvCameraCsvRow(SetId::TV1, 2, Distinct(210.0f)), cells, bad));
    cells[6] = "300";
    std::string edited = cells[0];
    for (std::size_t c = 1; c < cells.size(); ++c) edited += "," + cells[c];
    const std::string line =
        refused(CsvColumnNames() + "\n" + TvCameraCsvRow(SetId::TV1, 1, Distinct(205.0f)) + "\n" +
                edited + "\n");
    EXPECT_EQ(line.rfind("Clipboard row 3, column 7: ", 0), 0u) << line;
    EXPECT_NE(line.find("300"), std::string::npos) << line;
    EXPECT_EQ(line.substr(line.size() - 8), ". Ready.") << line;

    // Leftover text after the rows is no camera row either.
    const std::string junk =
        refused(TvCameraCsvRow(SetId::TV1, 1, Distinct(205.0f)) + "\nsee above\n");
    EXPECT_EQ(junk.rfind("Clipboard row 2, column 1: ", 0), 0u) << junk;
}

TEST_F(ClipboardTest, RowEditedAsTextPastesTheNewDistanceAndKeepsEveryOtherBit) {
    StartWith(ThreeCameras());
    const TvCamera original = Set(SetId::TV1).Camera(2);
    std::vector<std::string> cells;
    int bad = 0;
    ASSERT_TRUE(SplitCsvCells(TvCameraCsvRow(SetId::TV1, 2, original), cells, bad));
    // A spreadsheet changed the distance and copies its cells separated by tabs.
    cells[2] = "4321.5";
    std::string edited = cells[0];
    for (std::size_t c = 1; c < cells.size(); ++c) edited += "\t" + cells[c];
    SetClipboardText(edited + "\n");

    FocusPage(Tv2());
    PasteBeforeKeys();
    ASSERT_EQ(Set(SetId::TV2).Count(), 2);
    const TvCamera& pasted = Set(SetId::TV2).Camera(1);
    EXPECT_EQ(pasted.Float(0), 4321.5f);
    for (int k = 1; k < kTvFieldCount; ++k) EXPECT_EQ(pasted.Raw(k), original.Raw(k)) << k;
    EXPECT_FLOAT_EQ(Set(SetId::TV2).Camera(2).Float(0), 42.0f);
    EXPECT_EQ(KOfN(Tv2()), "1 of 2");
    EXPECT_EQ(Shown(Tv2().CamData(0)), "4321.5");
}

TEST_F(ClipboardTest, EntryBoxesKeepTheirOwnCopyAndPasteOfText) {
    FrmMain& w = StartWith(ThreeCameras());
    TvPage& page = Tv1();
    EntryBox* distance = page.CamData(0);

    // With the whole text selected, Ctrl+C copies the box's text.
    Click(distance);
    ASSERT_EQ(distance->selectedText(), "100");
    w.SetStatus("before");
    CopyKeys();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "100");
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasFormat(kCameraMimeType));
    EXPECT_EQ(Status(), "before");

    // Plain text is pasted into the box, not taken for a camera.
    SetClipboardText("125");
    distance->selectAll();
    PasteBehindKeys();
    EXPECT_EQ(Shown(distance), "125");
    EXPECT_EQ(Set(SetId::TV1).Count(), 3);
    EXPECT_EQ(beeper.beeps, 0);

    // Nothing selected: Ctrl+C copies the camera, with the pending value committed.
    QTest::keyClick(distance, Qt::Key_End);
    ASSERT_FALSE(distance->hasSelectedText());
    CopyKeys();
    EXPECT_EQ(Status(), "Camera copied. Ready.");
    EXPECT_FLOAT_EQ(Set(SetId::TV1).Camera(1).Float(0), 125.0f);
    const QByteArray record = QGuiApplication::clipboard()->mimeData()->data(kCameraMimeType);
    const auto copied = CamerasFromRecordBytes(std::string_view(record.constData(), record.size()));
    ASSERT_TRUE(copied.has_value());
    EXPECT_EQ(copied->front().Fields, Set(SetId::TV1).Camera(1).Fields);

    // A camera on the clipboard pastes as a camera even from a box.
    Click(page.CamData(2));
    QTest::keyClicks(page.CamData(2), "9");
    PasteBehindKeys();
    ASSERT_EQ(Set(SetId::TV1).Count(), 4);
    EXPECT_FLOAT_EQ(Set(SetId::TV1).Camera(1).Float(2), 9.0f) << "typed value committed first";
    EXPECT_EQ(Set(SetId::TV1).Camera(2).Fields, copied->front().Fields);
    EXPECT_EQ(KOfN(page), "2 of 4");
    // The box was left, so leaving it later enters nothing into the pasted camera.
    EXPECT_FALSE(page.CamData(2)->hasFocus());

    // A refused pending value stops the copy: the refusal stays in the status line.
    Click(page.CamData(0));
    QTest::keyClicks(page.CamData(0), "abc");
    CopyKeys();
    EXPECT_EQ(Status(), "What do you mean? Ready.");
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->data(kCameraMimeType), record);
}

TEST_F(ClipboardTest, ContextMenuOffersTheThreeEntries) {
    StartWith(ThreeCameras());
    TvPage& page = Tv1();
    EXPECT_EQ(page.contextMenuPolicy(), Qt::ActionsContextMenu);
    QStringList texts;
    for (QAction* action : page.actions()) texts << action->text();
    EXPECT_EQ(texts, (QStringList{"Copy camera", "Paste camera before", "Paste camera behind", "",
                                  "Undo", "Redo"}));

    ClickUp(page.SelectionSpinner());
    page.CopyCameraAction()->trigger();
    EXPECT_EQ(Status(), "Camera copied. Ready.");
    page.PasteBeforeAction()->trigger();
    ASSERT_EQ(Set(SetId::TV1).Count(), 4);
    EXPECT_EQ(Set(SetId::TV1).Camera(2).Fields, Set(SetId::TV1).Camera(3).Fields);
    EXPECT_EQ(KOfN(page), "2 of 4");
    page.PasteBehindAction()->trigger();
    EXPECT_EQ(KOfN(page), "3 of 5");
    EXPECT_FLOAT_EQ(Set(SetId::TV1).Camera(5).Float(0), 300.0f);
}

}  // namespace
}  // namespace vx::testing
