// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The editor window's wiring of its handlers to their operations, and that its texts fit.
#include <sys/stat.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyleOption>
#include <QTabBar>
#include <filesystem>
#include <map>

#include "document/faulty_file_layer.h"
#include "editing/field_value.h"
#include "editor_fixture.h"
#include "formats/cam_csv.h"
#include "support/sample_camera.h"
#include "ui/options/game_folder_dialog.h"
#include "ui/options/options_window.h"
#include "ui/widgets/elided_label.h"
#include "ui/widgets/text_fit.h"
#include "ui/widgets/twips.h"

namespace vx::testing {
namespace {

namespace fs = std::filesystem;

TEST_F(EditorTest, FirstStartWritesTheConfigurationAndOnlyOkStoresTheOptionsThatEnableTest) {
    EditorWindow& w = Start();
    EXPECT_EQ(boxes.shown.at(0).title, "Vistolarex: Error while initializing");
    EXPECT_EQ(Status(), "Welcome to Vistolarex by Quennith of Brevona. Ready to rumble ;-) !");
    EXPECT_TRUE(Tv1().CamFixed()->isChecked()) << "the new-camera defaults are applied";
    EXPECT_FALSE(w.findChild<QPushButton*>("cmdTestCams")->isEnabled());
    const std::string game = folder + "/game";
    fs::create_directories(game);
    editOptions = [&](Settings& working) { working.GPLFolder = game; };
    w.OnOptionsClicked();
    EXPECT_EQ(w.WorkingSettings().GPLFolder, "GPL not installed");
    optionsAnswer = true;
    w.OnOptionsClicked();
    EXPECT_EQ(ParseSettings(ReadBytes(folder + "/Vistolarex.cfg"))->GPLFolder, game);
    EXPECT_EQ(dialog.initialFolder, game + "/tracks");
    Active(w);
    remote.duringRun = [this] { Keys(Qt::Key_Escape); };
    w.findChild<QPushButton*>("cmdTestCams")->click();
    EXPECT_EQ(remote.editorTests, 1);
    EXPECT_EQ(remote.cancels, 1) << "Escape ends the Test's run";
    Keys(Qt::Key_Escape);
    EXPECT_EQ(remote.cancels, 1) << "without a run Escape is the boxes' own";
    w.OnExitClicked();
    EXPECT_TRUE(w.Ended());
    EXPECT_EQ(remote.cancels, 2) << "a remote run waiting further up the stack ends first";
}

TEST_F(EditorTest, LoadsShowTheirProgressOrFailureAndAskFirstWhenUnsavedDataWouldBeReplaced) {
    const std::string good = WriteCam("first track.cam", DocumentWithTv1({10.0f, 20.0f, 30.0f}));
    EditorWindow& w = Restart(good);
    EXPECT_EQ(KOfN(Tv1()), "1 of 3");
    EXPECT_TRUE(w.Document().DataSaved) << "showing a moving camera changes nothing";
    QStringList lines;
    QObject::connect(w.findChild<QLineEdit*>("txtStatusLine"), &QLineEdit::textChanged,
                     [&](const QString& text) { lines << text; });
    Load(good);
    EXPECT_EQ(lines.size(), 9) << "each stage of the reading is shown, camera by camera";
    fs::create_directory(folder + "/folder.cam");
    Load(folder + "/folder.cam");
    EXPECT_NE(boxes.shown.at(0).text.find(" - " + std::to_string(EISDIR)), std::string::npos);
    EXPECT_EQ(w.CAMFileName(), folder + "/folder.cam") << "kept even when the load fails";
    Save(folder + "/again.cam");
    EXPECT_EQ(ReadBytes(folder + "/again.cam"), ReadBytes(good)) << "and so is the document";
    Click(Tv1().AddBehind());
    boxes.answers = {BoxAnswer::Cancel, BoxAnswer::Cancel};
    const int opens = dialog.opens;
    Load(good);
    EXPECT_EQ(boxes.shown.at(1).text, "There is unsaved data in memory. Load anyway?");
    const std::string url =
        QUrl::fromLocalFile(QString::fromStdString(good)).toString().toStdString();
    EXPECT_TRUE(Drop({url}));
    EXPECT_EQ(w.Document().TV1.Count(), 4) << "the drop asked too";
    EXPECT_TRUE(Drop({url, "file://" + folder + "/other.cam"})) << "the first file loads";
    EXPECT_EQ(Status(), "File loaded, data read. Ready.");
    EXPECT_FALSE(Drop({"https://example.org/second.cam"}));
    EXPECT_EQ(boxes.shown.size(), 4u) << "what is no local file asks nothing";
    EXPECT_EQ(dialog.opens, opens) << "the question comes first; a drop needs no dialog";
}

TEST_F(EditorTest, SaveAsksBeforeOverwritingAndAFailedSaveKeepsFileAndWork) {
    EditorWindow& w = Restart();
    const std::string target = folder + "/target.cam";
    WriteBytes(target, std::vector<std::uint8_t>(500, 7));
    boxes.answers = {BoxAnswer::Cancel};
    Save(target);
    EXPECT_EQ(boxes.shown.at(0).text, "File exists. Overwrite?");
    EXPECT_EQ(ReadBytes(target).size(), 500u);
    Save(target);
    ::chmod(target.c_str(), 0444);
    Click(Tv1().AddBehind());
    Save(target);
    EXPECT_EQ(boxes.shown.back().title, "Runtime-Error!");
    EXPECT_EQ(ReadBytes(target).size(), 184u);
    EXPECT_FALSE(w.Document().DataSaved);
    ::chmod(target.c_str(), 0644);
}

TEST_F(EditorTest, KeysExitAndTheFrameCloseTakeTheValueStillBeingTypedAndF1OpensTheManual) {
    EditorWindow& w = Active(Restart());
    Click(Tv1().CamData(2));
    QTest::keyClicks(Tv1().CamData(2), "7.5");
    dialog.picks.push_back(folder + "/typed.cam");
    Keys(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(WordAt(ReadBytes(folder + "/typed.cam"), 16 + 8), FloatBits(7.5f));
    Click(Tv1().CamData(1));
    QTest::keyClicks(Tv1().CamData(1), "3");
    boxes.answers = {BoxAnswer::Cancel, BoxAnswer::Cancel, BoxAnswer::Cancel};
    Keys(Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(boxes.shown.size(), 1u) << "the typed value is unsaved data";
    EXPECT_EQ(w.ManualPath(), folder + "/../share/vistolarex/VistolarexHelp.html");
    WriteBytes(folder + "/VistolarexHelp.html", {'<'});
    Keys(Qt::Key_F1);
    EXPECT_EQ(opener.opened, std::vector<std::string>{folder + "/VistolarexHelp.html"});
    Click(w.findChild<QPushButton*>("cmdExit"));
    EXPECT_EQ(boxes.shown.at(1).text, "There is unsaved data in memory. Really exit?");
    EXPECT_EQ(beeper.beeps, 1) << "beep, then the question";
    EXPECT_FALSE(w.close() || w.Ended());
    EXPECT_TRUE(w.close() && w.Ended());
}

TEST_F(EditorTest, ConfigurationWriteFailuresAreShownAndTheWindowStaysUsable) {
    FaultyFileLayer layer;
    layer.renameError = EROFS;
    optionsAnswer = true;
    Start(WriteCam("given.cam", DocumentWithTv1({10.0f})), layer).OnOptionsClicked();
    EXPECT_EQ(boxes.shown.at(1).title, "Debug-Mode");
    EXPECT_EQ(window->Document().TV1.Count(), 1) << "start-up ends before the command-line file";
    EXPECT_EQ(boxes.shown.at(2).title, "Vistolarex: Error");
}

float Radians(double degrees) { return static_cast<float>(degrees * kPi / 180.0); }

TEST_F(EditorTest, TypingAndSteppingAreCommittedAndARefusalBeepsAndRestoresTheBox) {
    EditorWindow& w = Active(Restart());
    const TvCamera& camera = w.Document().TV1.Camera(1);
    TypeAndTab(Tv1().CamData(0), "120");
    EXPECT_EQ(Shown(Tv1().CamData(3)), "-120") << "the change-over point is shown again";
    EXPECT_TRUE(Tv1().CamData(1)->hasFocus());
    Save(folder + "/a.cam");
    TypeAndTab(Tv1().CamData(2), "abc");
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(Shown(Tv1().CamData(2)), "2");
    EXPECT_TRUE(w.Document().DataSaved);
    TypeAndTab(Tv1().CamData(8), "45.6");
    ClickUp(Tv1().ValueStepperOf(8));
    ClickUp(Tv1().ValueStepperOf(8));
    EXPECT_EQ(camera.Float(8), Radians(48)) << "a click steps from the box, on the camera";
    EXPECT_EQ(w.Session().History().Count(), 3u) << "clicks on one stepper are one step";
}

// Up and Down in a box are a click on its stepper and Page Up and Page Down ten,
// each after committing the typed value; a held key's run is one step to undo.
TEST_F(EditorTest, StepperKeysInABoxAreClicksOnItsStepper) {
    EditorWindow& w = StartWith(DocumentWithTv1({100.0f, 200.0f, 300.0f}));
    const StepHistory& history = w.Session().History();
    EntryBox* box = Tv1().CamData(2);
    ValueStepper* stepper = Tv1().ValueStepperOf(2);
    Click(box);
    QTest::keyClicks(box, "12.5");
    Keys(Qt::Key_Up);
    for (int held = 0; held < 3; ++held) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(box, &repeat);
    }
    Keys(Qt::Key_PageUp);
    const QString byKeys = box->text() + QString::fromStdString(history.UndoText());
    ASSERT_EQ(history.Count(), 2u) << "the entry and one run of steps";

    TypeAndTab(Tv1().CurrentCam(), "2");
    Click(box);
    QTest::keyClicks(box, "12.5");
    ClickUp(stepper);
    for (int i = 0; i < 3; ++i) QTest::mouseClick(stepper->DownArrow(), Qt::LeftButton);
    for (int i = 0; i < 10; ++i) ClickUp(stepper);
    EXPECT_EQ(history.Count(), 4u);
    EXPECT_EQ(
        box->text() + QString::fromStdString(history.UndoText()).replace("camera 2", "camera 1"),
        byKeys);

    Click(box);
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Shown(box), "12.5") << "the run is undone as one";
}

TEST_F(EditorTest, UpAndDownInTheCameraBoxStepTheCamera) {
    StartWith(DocumentWithTv1({100.0f, 200.0f, 300.0f}));
    Click(Tv1().CurrentCam());
    Keys(Qt::Key_Up);
    EXPECT_EQ(KOfN(Tv1()), "2 of 3");
    EXPECT_EQ(Shown(Tv1().CamData(0)), "200");
    Keys(Qt::Key_PageUp);
    EXPECT_EQ(KOfN(Tv1()), "3 of 3");
    QTest::keyClicks(Tv1().CurrentCam(), "1");
    Keys(Qt::Key_Up);
    EXPECT_EQ(KOfN(Tv1()), "2 of 3") << "the typed number first, as a click on the arrow";
}

TEST_F(EditorTest, ModeSwitchCameraSelectionAndStripClicksWireToTheirOperations) {
    EditorWindow& w = StartWith(DocumentWithTv1({100.0f, 200.0f, 300.0f}));
    Click(Tv1().CamFixed());
    EXPECT_EQ(w.Document().TV1.Camera(1).Raw(TvField::Mode), 1u);
    EXPECT_FALSE(Tv1().CamData(5)->isEnabled() || Tv1().AssignToAll(6)->isEnabled());
    Save(folder + "/saved.cam");
    TypeAndTab(Tv1().CurrentCam(), "3");
    EXPECT_TRUE(Tv1().CamData(5)->isEnabled()) << "camera 3 is moving";
    TypeAndTab(Tv1().TotalCams(), "5");
    EXPECT_EQ(Status(), "This value is not editable. Ready.");
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_TRUE(w.Document().DataSaved);
    TypeAndTab(Tv1().CurrentCam(), "1");
    CameraOverview* strip = Tv1().Overview();
    Click(Tv1().CamData(2));
    QTest::keyClicks(Tv1().CamData(2), "12");
    QTest::mouseClick(strip, Qt::LeftButton, {},
                      {strip->MarkX(strip->Strip().marks.at(2)), CameraOverview::kMarkTop + 2});
    EXPECT_EQ(KOfN(Tv1()), "3 of 3");
    EXPECT_EQ(Shown(Tv1().CamData(2)), "7");
    EXPECT_FLOAT_EQ(w.Document().TV1.Camera(1).Float(2), 12.0f);
    TypeAndTab(Tv1().CamData(0), "250");
    EXPECT_DOUBLE_EQ(strip->Strip().marks[2].distance, 250.0) << "the strip follows";
    // Between the marks, a click on a live stretch shows the camera live there (camera 3
    // moved, its switch point stayed).
    const OverviewBand band = strip->Strip().bands.at(1);
    ASSERT_EQ(BandToolTip(band), "Camera 2: live from 200 m to 300 m (100 m)");
    QTest::mouseClick(strip, Qt::LeftButton, {},
                      {strip->DistanceX(225), CameraOverview::kBandTop + 2});
    EXPECT_EQ(KOfN(Tv1()), "2 of 3");
}

TEST_F(EditorTest, TabbingThroughALoadedFileChangesNothingAndUndoRedoShowWhereTheStepHappened) {
    // A mode flag stored as 7 and values finer than shown.
    CamDocument doc = DocumentWithTv1({10000.125f, 200.0f, 300.5f});
    doc.TV1.Camera(1).SetInt(TvField::Mode, 7);
    doc.TV1.Camera(2).SetFloat(1, 123.4567f);
    doc.Pitlane.SetFloat(3, Radians(45.6789));
    EditorWindow& w = StartWith(doc);
    for (int camera = 1; camera <= 3; ++camera) {
        Click(Tv1().CurrentCam());
        for (int i = 0; i < 24; ++i) Keys(Qt::Key_Tab);
        ClickUp(Tv1().SelectionSpinner());
    }
    w.CamData()->setCurrentIndex(2);
    for (int i = 0; i < 10; ++i) Keys(Qt::Key_Tab);
    EXPECT_FALSE(w.UndoButton()->isEnabled());
    Save(folder + "/again.cam");
    EXPECT_EQ(ReadBytes(folder + "/again.cam"), SerializeCamDocument(doc));
    w.CamData()->setCurrentIndex(2);
    TypeAndTab(Pit().CamData(0), "99");
    w.CamData()->setCurrentIndex(0);
    EXPECT_TRUE(w.UndoButton()->isEnabled() && !w.RedoButton()->isEnabled());
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Status(), "Undone: Entry Absolute x-coordinate [m] (pitlane camera). Ready.");
    EXPECT_EQ(w.CamData()->currentWidget(), &Pit());
    EXPECT_TRUE(w.Document().DataSaved) << "back at the loaded file";
    EXPECT_TRUE(!w.UndoButton()->isEnabled() && w.RedoButton()->isEnabled());
    Keys(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Shown(Pit().CamData(0)), "99");
    // Typing not yet committed is the box's own to undo; the document's step stays.
    const QString before = Pit().CamData(1)->text();
    Click(Pit().CamData(1));
    QTest::keyClicks(Pit().CamData(1), "7");
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Pit().CamData(1)->text(), before);
    EXPECT_TRUE(w.UndoButton()->isEnabled() && w.Document().Pitlane.Float(0) == 99.0f);
    Load(folder + "/track.cam");
    EXPECT_FALSE(w.UndoButton()->isEnabled() || w.RedoButton()->isEnabled());
}

// Whatever is on screen, Undo and Redo show the step's camera, its values and the count.
TEST_F(EditorTest, UndoAndRedoShowTheStepsCameraValuesAndCount) {
    EditorWindow& w = StartWith(DocumentWithTv1({100.0f, 200.0f, 300.0f}));
    Click(Tv1().AddBehind());
    TypeAndTab(Tv1().CurrentCam(), "3");
    TypeAndTab(Tv1().CamData(0), "250");
    TypeAndTab(Tv1().CurrentCam(), "4");
    w.CamData()->setCurrentIndex(1);
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w.CamData()->currentWidget(), &Tv1());
    EXPECT_EQ(KOfN(Tv1()) + " " + Shown(Tv1().CamData(0)), "3 of 4 200");
    Keys(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(KOfN(Tv1()) + " " + Shown(Tv1().CamData(0)), "1 of 3 100");
    EXPECT_EQ(Tv1().SelectionSpinner()->Maximum(), 3);
    Keys(Qt::Key_Y, Qt::ControlModifier);
    Keys(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(KOfN(Tv1()) + " " + Shown(Tv1().CamData(0)), "3 of 4 250");
}

TEST_F(EditorTest, InsertRemoveAndAssignShowTheirResultAndAskOrBeepFirst) {
    EditorWindow& w = StartWith(DocumentWithTv1({0.0f}, true));
    Click(Tv1().AddBefore());
    EXPECT_EQ(Status(),
              "Sorry, but the current camera is already at the beginning of the track. Ready.");
    EXPECT_TRUE(beeper.beeps == 1 && w.Document().DataSaved);
    Click(Tv1().AddBehind());
    EXPECT_EQ(KOfN(Tv1()), "2 of 2");
    EXPECT_EQ(Tv1().SelectionSpinner()->Maximum(), 2);
    boxes.answers = {BoxAnswer::Cancel, BoxAnswer::Cancel};
    Click(Tv1().AssignToAll(2));
    EXPECT_EQ(boxes.shown.back().text,
              "This will overwrite the same value of all other cameras in the TV1-set. Continue?");
    Click(Tv1().Remove());
    EXPECT_EQ(boxes.shown.back().text, "This will remove the currently shown camera. Continue?");
    EXPECT_EQ(Set(SetId::TV1).Count(), 2);
    Click(Tv1().AssignToAll(2));
    EXPECT_FLOAT_EQ(Set(SetId::TV1).Camera(1).Float(2), Set(SetId::TV1).Camera(2).Float(2));
    Click(Tv1().Remove());
    EXPECT_EQ(KOfN(Tv1()), "1 of 1");
    Click(Tv1().Remove());
    EXPECT_EQ(boxes.shown.size(), 4u) << "no question before a refusal";
}

TEST_F(EditorTest, KeysAndTheContextMenuCopyAndPasteCamerasAndEntryBoxesTheirOwnText) {
    CamDocument doc = DocumentWithTv1({100.0f, 200.0f, 300.0f});
    doc.TV1.Camera(2) = SampleCamera(200.0f, 0x7FC0BEEFu);
    EditorWindow& w = StartWith(doc);
    ClickUp(Tv1().SelectionSpinner());
    FocusPage(Tv1());
    Keys(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(w.Document().DataSaved) << "a copy changes nothing";
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              TvCameraCsvRow(SetId::TV1, 2, doc.TV1.Camera(2)));
    FocusPage(Tv2());
    Keys(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Set(SetId::TV2).Camera(2), doc.TV1.Camera(2));
    EXPECT_EQ(KOfN(Tv2()), "2 of 2");
    Keys(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(KOfN(Tv2()), "2 of 3") << "Ctrl+Shift+V goes before";
    const CamDocument before = w.Document();
    QGuiApplication::clipboard()->setText("Hello, world");
    Keys(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Status(), "Clipboard holds no camera. Ready.");
    EXPECT_TRUE(beeper.beeps == 1 && w.Document().SameContent(before));
    QStringList texts;
    for (QAction* action : Tv1().actions()) texts << action->text();
    EXPECT_EQ(texts,
              (QStringList{"Copy camera", "Paste camera before", "Paste camera behind",
                           "Move cameras…", "Lap length…", "Far limit…", "", "Undo", "Redo"}));
    Tv1().CopyCameraAction()->trigger();
    Tv1().PasteBeforeAction()->trigger();
    Tv1().PasteBehindAction()->trigger();
    EXPECT_EQ(KOfN(Tv1()), "3 of 5");
    EXPECT_EQ(Set(SetId::TV1).Camera(3), doc.TV1.Camera(2));
    FocusPage(Tv1());
    EntryBox* distance = Tv1().CamData(0);
    Click(distance);
    Keys(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "200") << "the whole text was selected";
    QGuiApplication::clipboard()->setText("125");
    Keys(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Shown(distance), "125");
    // Nothing selected: the camera is copied, with the pending value committed first.
    Keys(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Status(), "Camera copied. Ready.");
    EXPECT_FLOAT_EQ(Set(SetId::TV1).Camera(3).Float(0), 125.0f);
}

// The texts wider or taller than the room the style gives them, as "objectName: text".
QStringList ClippedTexts(const QWidget& root) {
    QStringList clipped;
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&root)) continue;
        const QStyle* style = widget->style();
        QString text;
        QRect room = widget->contentsRect();
        if (auto* path = qobject_cast<ElidedLabel*>(widget)) {
            text = path->ShownText();
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            text = label->buddy() ? VisibleCaption(label->text()) : label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            QStyleOptionButton option;
            option.initFrom(button);
            text = VisibleCaption(button->text());
            room = style->subElementRect(
                qobject_cast<QCheckBox*>(button)      ? QStyle::SE_CheckBoxContents
                : qobject_cast<QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                                      : QStyle::SE_PushButtonContents,
                &option, button);
        } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
            QStyleOptionFrame option;
            option.initFrom(line);
            option.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, line);
            text = line->text();
            // QLineEdit keeps 2 pixels blank on either side of its text.
            room = style->subElementRect(QStyle::SE_LineEditContents, &option, line)
                       .marginsRemoved(line->textMargins())
                       .adjusted(2, 0, -2, 0);
        } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i) {
                if (!tabs->rect().contains(tabs->tabRect(i))) clipped << tabs->tabText(i);
            }
            continue;
        }
        if (text.isEmpty()) continue;
        const QFontMetrics metrics(widget->font());
        if (metrics.horizontalAdvance(text) > room.width() || metrics.height() > room.height()) {
            clipped << widget->objectName() + ": " + text;
        }
    }
    return clipped;
}

QString Name(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// The interactive controls of a window that a screen reader announces with no name
// or with the name of another control of the window.
std::string UnnamedOrSharedNames(QWidget& window) {
    std::map<QString, int> uses;
    QStringList faults;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const bool interactive =
            qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
            qobject_cast<QAbstractSlider*>(widget) || qobject_cast<QComboBox*>(widget) ||
            qobject_cast<QAbstractItemView*>(widget);
        // Popups are windows of their own; scroll bars and tab-bar arrows are Qt's own.
        const QWidget* parent = widget->parentWidget();
        if (!interactive || widget->window() != &window || qobject_cast<const QTabBar*>(parent) ||
            parent->objectName().startsWith("qt_scrollarea") ||
            (widget->isHidden() && widget->testAttribute(Qt::WA_WState_ExplicitShowHide))) {
            continue;
        }
        const QString name = Name(widget);
        if (name.trimmed().isEmpty() || ++uses[name] == 2) {
            faults << widget->objectName() + ": \"" + name + '"';
        }
    }
    return faults.join(", ").toStdString();
}

using LayoutTest = EditorTest;

TEST_F(LayoutTest, NothingIsCutOffAtEightOrTwelvePointsAndEveryBoxIsNamed) {
    const QFont before = QApplication::font();
    for (int points : {8, 12}) {
        SCOPED_TRACE(points);
        QFont font = before;
        font.setPointSize(points);
        QApplication::setFont(font);
        EditorWindow& w = Active(Restart());
        const QWidget* canvas = w.findChild<QScrollArea*>()->widget();
        EXPECT_TRUE(points != 8 || canvas->width() == Twips(w.logicalDpiX())(11055))
            << "as designed";
        EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "the window keeps its designed size";
        EXPECT_TRUE(w.findChild<QPushButton*>("cmdLoadCAMFile")->hasFocus());
        for (TvPage* page : {&Tv1(), &Tv2()}) {  // the widest texts the boxes come to hold
            page->CurrentCam()->setText("255");
            page->CamData(3)->setText("-9999.999");
        }
        w.SetStatus(
            "Sorry, but the current camera has already the highest possible #1-value. Ready.");
        for (int tab = 0; tab < 3; ++tab) {
            w.CamData()->setCurrentIndex(tab);
            EXPECT_EQ(ClippedTexts(w).join(" | ").toStdString(), "") << "tab " << tab;
        }
        Settings working;
        working.GPLFolder = "/home/someone/" + std::string(300, 'x') + "/games/GPL";
        OptionsContext context{working, boxes, beeper, opener, remote, ""};
        OptionsWindow options(context, nullptr, {});
        options.show();
        auto* pages = options.findChild<QTabWidget*>("sstOptions");
        for (int tab = 0; tab < pages->count(); ++tab) {
            pages->setCurrentIndex(tab);
            EXPECT_EQ(ClippedTexts(options).join(" | ").toStdString(), "") << "options tab " << tab;
        }
        // A long game folder shows its start and its end, and the whole as the tooltip.
        const auto* path = options.findChild<ElidedLabel*>("lblGPLFolder");
        EXPECT_TRUE(path->ShownText().startsWith("/home/") && path->ShownText().endsWith("/GPL"));
        EXPECT_EQ(path->toolTip().toStdString(), working.GPLFolder);
        GameFolderDialog chooser(working);
        chooser.show();
        // Every control is announced by a name of its own: the rows by set and row.
        for (QWidget* root : {static_cast<QWidget*>(&w), static_cast<QWidget*>(&options),
                              static_cast<QWidget*>(&chooser)}) {
            EXPECT_EQ(UnnamedOrSharedNames(*root), "") << root->objectName().toStdString();
        }
        EXPECT_EQ(Name(Tv1().AssignToAll(2)).toStdString(),
                  "TV1 field 2: assign Height from the ground to all cameras");
        EXPECT_EQ(Name(Tv2().ValueStepperOf(2)->DownArrow()).toStdString(),
                  "TV2 field 2: step Height from the ground down");
    }
    QApplication::setFont(before);
}

using ScreenFitTest = EditorTest;

// Also run on a laptop's 1366 by 768 screen (ui_fit_on_a_laptop_screen): the dialogs
// grow with the font, and no window's frame leaves the screen's available area.
TEST_F(ScreenFitTest, DialogsGrowWithTheFontAndNoWindowOutgrowsTheScreen) {
    const QFont before = QApplication::font();
    std::map<std::string, QSize> smaller;
    for (int points : {8, 12, 16}) {
        QFont font = before;
        font.setPointSize(points);
        QApplication::setFont(font);
        Settings working;
        OptionsContext context{working, boxes, beeper, opener, remote, ""};
        OptionsWindow options(context, nullptr, {});
        GameFolderDialog chooser(working);
        for (QWidget* shown : {static_cast<QWidget*>(&Restart()), static_cast<QWidget*>(&options),
                               static_cast<QWidget*>(&chooser)}) {
            const std::string name = shown->objectName().toStdString();
            shown->show();
            EXPECT_TRUE(shown->screen()->availableGeometry().contains(shown->frameGeometry()))
                << name << " at " << points << " pt";
            const QSize now = shown->findChild<QScrollArea*>()->widget()->size();
            EXPECT_TRUE(points == 8 || (now.width() > smaller[name].width() &&
                                        now.height() > smaller[name].height()))
                << name << " at " << points << " pt";
            smaller[name] = now;
        }
    }
    QApplication::setFont(before);
}

}  // namespace
}  // namespace vx::testing
