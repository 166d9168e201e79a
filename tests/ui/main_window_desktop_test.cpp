// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The editor window on the desktop: dropped files, the Ctrl+O / Ctrl+S / F1 keys,
// the manual of an installed copy, the configuration beside a read-only program,
// and the names a screen reader announces.
#include <sys/stat.h>

#include <QAccessible>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <filesystem>
#include <map>

#include "editor_fixture.h"
#include "ui/main_window_manual.h"
#include "ui/options_window.h"

namespace vx::testing {
namespace {

namespace fs = std::filesystem;

class DesktopTest : public EditorTest {
  protected:
    // Drops urls onto the window as the desktop does, then lets the queued load run.
    bool Drop(const QList<QUrl>& urls, const QString& text = {}) {
        QMimeData data;
        if (!urls.isEmpty()) data.setUrls(urls);
        if (!text.isEmpty()) data.setText(text);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        const bool wanted = enter.isAccepted();
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
        QCoreApplication::processEvents();
        return wanted;
    }
    void Save(const std::string& path) {
        dialog.picks.push_back(path);
        window->cmdSaveCAMFile_Click();
    }
    static QUrl File(const std::string& path) {
        return QUrl::fromLocalFile(QString::fromStdString(path));
    }
};

TEST_F(DesktopTest, DroppedFileLoadsLikeAPickInTheLoadDialog) {
    FrmMain& w = Restart();
    const std::string first =
        WriteCam("first track.cam", DocumentWithTv1({5.0f, 6.0f, 7.0f}, true));
    const std::string second = WriteCam("second.cam", DocumentWithTv1({9.0f}, true));
    dialog.initialFolder = "/elsewhere";

    EXPECT_TRUE(Drop({File(first), File(second)}));
    EXPECT_EQ(Status(), "File loaded, data read. Ready.");
    EXPECT_EQ(Shown(Tv1().TotalCams()), "3") << "the first of several files";
    EXPECT_EQ(Shown(Tv1().CamData(0)), "5");
    EXPECT_EQ(w.CAMFileName(), first);
    EXPECT_EQ(w.CAMPath(), folder + "/");
    EXPECT_EQ(dialog.initialFolder, folder + "/");
    EXPECT_EQ(dialog.fileName, "");
    EXPECT_EQ(dialog.opens, 0);
    EXPECT_TRUE(boxes.shown.empty());

    // A name that is not UTF-8, as a file manager sends it.
    const std::string latin1 = WriteCam("caf\xE9.cam", DocumentWithTv1({8.0f}, true));
    EXPECT_TRUE(Drop(
        {QUrl::fromEncoded("file://" + QByteArray::fromStdString(latin1).toPercentEncoding("/"))}));
    EXPECT_EQ(w.CAMFileName(), latin1);
    EXPECT_EQ(Status(), "File loaded, data read. Ready.");
    Drop({File(first)});

    // What is no local file changes nothing: text, a web address, a folder.
    w.SetStatus("kept");
    EXPECT_FALSE(Drop({}, QString::fromStdString(second)));
    EXPECT_FALSE(Drop({QUrl(QStringLiteral("https://example.org/second.cam"))}));
    fs::create_directory(folder + "/tracks.cam");
    EXPECT_FALSE(Drop({File(folder + "/tracks.cam")}));
    EXPECT_EQ(Status(), "kept");
    EXPECT_EQ(w.CAMFileName(), first);
    EXPECT_EQ(w.Document().TV1.Count(), 3);
    EXPECT_TRUE(boxes.shown.empty());

    // A dropped name that has gone fails as it does from the dialog, name kept.
    EXPECT_TRUE(Drop({File(folder + "/gone.cam")}));
    EXPECT_EQ(Status(), "File not found. Load aborted. Ready.");
    EXPECT_EQ(w.CAMFileName(), folder + "/gone.cam");
    EXPECT_EQ(w.Document().TV1.Count(), 3);
}

TEST_F(DesktopTest, DropOverUnsavedDataAsksAndCancelKeepsTheDocument) {
    FrmMain& w = Restart();
    const std::string file = WriteCam("drop.cam", DocumentWithTv1({9.0f}, true));
    Click(Tv1().AddBehind());
    ASSERT_FALSE(w.Document().DataSaved);

    boxes.answers = {BoxAnswer::Cancel};
    Drop({File(file)});
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Vistolarex: Safety request");
    EXPECT_EQ(boxes.shown[0].text, "There is unsaved data in memory. Load anyway?");
    EXPECT_EQ(boxes.shown[0].buttons, BoxButtons::OkCancel);
    EXPECT_EQ(Status(), "Action canceled by user. Ready.");
    EXPECT_EQ(w.Document().TV1.Count(), 2);
    EXPECT_EQ(w.CAMFileName(), "");

    Drop({File(file)});
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(Status(), "File loaded, data read. Ready.");
    EXPECT_EQ(w.Document().TV1.Count(), 1);
    EXPECT_EQ(w.CAMFileName(), file);
}

TEST_F(DesktopTest, CtrlSSavesTheValueStillBeingTypedAndCtrlOCountsIt) {
    FrmMain& w = Restart();
    Activate();
    EntryBox* height = Tv1().CamData(2);
    Click(height);
    QTest::keyClicks(height, "7.5");
    const std::string target = folder + "/typed.cam";
    dialog.picks.push_back(target);
    QTest::keyClick(height, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialog.saves, 1);
    EXPECT_EQ(Status(), "File written. Ready.");
    const auto bytes = ReadBytes(target);
    ASSERT_EQ(bytes.size(), 184u);
    EXPECT_EQ(FieldAt(bytes, 16 + 8), FloatBits(7.5f));
    EXPECT_TRUE(w.Document().DataSaved);

    // A value typed before Ctrl+O is unsaved data, so the load asks first.
    EntryBox* side = Tv1().CamData(1);
    Click(side);
    QTest::keyClicks(side, "3");
    boxes.answers = {BoxAnswer::Cancel};
    QTest::keyClick(side, Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "There is unsaved data in memory. Load anyway?");
    EXPECT_EQ(dialog.opens, 0);
    EXPECT_FLOAT_EQ(w.Document().TV1.Camera(1).Float(1), 3.0f);

    // Without unsaved data Ctrl+O goes straight to the dialog.
    Save(folder + "/saved.cam");
    dialog.picks.push_back(std::nullopt);
    QTest::keyClick(w.CamData(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialog.opens, 1);
    EXPECT_EQ(Status(), "Cancel pressed. Load aborted. Ready.");

    QTest::keyClick(Tv1().CamData(0), Qt::Key_F1);
    EXPECT_EQ(opener.opened, std::vector<std::string>{w.ManualPath()});
}

TEST_F(DesktopTest, HelpFindsTheManualBesideTheProgramOrInTheInstalledShareFolder) {
    std::string optionsManual;
    auto w = std::make_unique<FrmMain>(
        folder, "",
        EditorPlatform{boxes, beeper, dialog, opener, remote, SystemFileLayer(),
                       [&](QWidget*, OptionsContext& context) {
                           optionsManual = context.manualPath;
                           return false;
                       }});
    const std::string installed = folder + "/../share/vistolarex/VistolarexHelp.html";
    EXPECT_EQ(FindManual(folder), installed);
    w->cmdHelp_Click();
    w->cmdOptions_Click();
    EXPECT_EQ(opener.opened, std::vector<std::string>{installed});
    EXPECT_EQ(optionsManual, installed);

    // The build tree: the manual copied beside the program wins.
    WriteBytes(folder + "/VistolarexHelp.html", {'<'});
    w->cmdHelp_Click();
    w->cmdOptions_Click();
    EXPECT_EQ(opener.opened.back(), folder + "/VistolarexHelp.html");
    EXPECT_EQ(optionsManual, folder + "/VistolarexHelp.html");
}

TEST_F(DesktopTest, ReadOnlyProgramFolderKeepsTheConfigurationInTheUsersFolder) {
    const std::string program = folder + "/bin";
    const std::string fallback = folder + "/home/.config/Vistolarex";
    fs::create_directories(program);
    ::chmod(program.c_str(), 0555);
    auto start = [&] {
        window = std::make_unique<FrmMain>(
            program, "",
            EditorPlatform{boxes, beeper, dialog, opener, remote, SystemFileLayer(),
                           [](QWidget*, OptionsContext& context) {
                               context.working.SafetyExit = false;
                               return true;
                           },
                           fallback});
        return window.get();
    };

    FrmMain* w = start();
    ASSERT_EQ(boxes.shown.size(), 1u) << "the first-start box, no debug message";
    EXPECT_EQ(boxes.shown[0].title, "Vistolarex: Error while initializing");
    EXPECT_EQ(w->ConfigFolder(), fallback);
    EXPECT_EQ(fs::file_size(fallback + "/Vistolarex.cfg"), 3210u);
    EXPECT_FALSE(fs::exists(program + "/Vistolarex.cfg"));
    EXPECT_EQ(w->ProgramFolder(), program);
    EXPECT_EQ(w->CAMPath(), program) << "the dialog still starts beside the program";
    EXPECT_EQ(dialog.initialFolder, program);

    // OK in the options writes to the same place; the next start reads it there.
    w->cmdOptions_Click();
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_FALSE(ParseSettings(ReadBytes(fallback + "/Vistolarex.cfg"))->SafetyExit);
    EXPECT_FALSE(fs::exists(program + "/Vistolarex.cfg"));
    boxes.shown.clear();
    w = start();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(w->LiveSettings().SafetyExit);

    // A writable program folder keeps its own file, whatever the fallback.
    ::chmod(program.c_str(), 0755);
    w = start();
    EXPECT_EQ(w->ConfigFolder(), program);
    EXPECT_TRUE(fs::exists(program + "/Vistolarex.cfg"));
}

TEST_F(DesktopTest, EveryEntryBoxIsAnnouncedByItsRowInTheWindowAndTheOptions) {
    using Names = std::map<std::string, std::string>;
    auto namesOf = [](const QWidget& root) {
        Names names;
        for (QLineEdit* box : root.findChildren<QLineEdit*>()) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
            names[box->objectName().toStdString()] =
                accessible ? accessible->text(QAccessible::Name).toStdString() : "";
        }
        return names;
    };
    Names options;
    window = std::make_unique<FrmMain>(
        folder, "",
        EditorPlatform{boxes, beeper, dialog, opener, remote, SystemFileLayer(),
                       [&](QWidget* parent, OptionsContext& context) {
                           OptionsWindow shown(context, parent, {});
                           options = namesOf(shown);
                           return false;
                       }});
    window->cmdOptions_Click();
    const Names editor = namesOf(*window);

    ASSERT_EQ(editor.size(), 2u * (14 + 2) + 13 + 1);
    ASSERT_EQ(options.size(), 11u);
    for (const Names& names : {editor, options}) {
        for (const auto& [box, name] : names) EXPECT_NE(name, "") << box;
    }
    EXPECT_EQ(editor.at("txtTV1CamData_2"), "Height from the ground [m]");
    EXPECT_EQ(editor.at("txtTV2CamData_8"), "Yaw [°] (fixed cam)");
    EXPECT_EQ(editor.at("txtPitlaneCamData_0"), "Absolute x-coordinate [m]");
    EXPECT_EQ(editor.at("txtCurrentTV2Cam"), "TV2 camera number");
    EXPECT_EQ(options.at("txtDefaultValue_0"),
              "Place new camera [m] before/behind the currently shown camera");
    EXPECT_EQ(options.at("txtDefaultValue_5"), "Camera value #6 [-]");
}

}  // namespace
}  // namespace vx::testing
