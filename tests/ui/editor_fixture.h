// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "document/cam_writer.h"
#include "settings/config_file.h"
#include "support/cam_file_builder.h"
#include "support/scratch_folder.h"
#include "support/scripted_platform.h"
#include "ui/entry_box.h"
#include "ui/main_window.h"
#include "ui/pitlane_page.h"
#include "ui/tv_page.h"
#include "ui/value_stepper.h"

namespace vx::testing {

// A document with the given distances of TV1 (height 5, 6, 7 ..., zoom 0.5) and
// one TV2 camera at 42 m.
inline CamDocument DocumentWithTv1(const std::vector<float>& distances, bool fixed = false) {
    CamDocument doc;
    NewDocument(doc);
    doc.TV1.SetCount(static_cast<int>(distances.size()));
    for (std::size_t i = 0; i < distances.size(); ++i) {
        TvCamera& camera = doc.TV1.Cameras[i];
        camera.SetFloat(0, distances[i]);
        camera.SetFloat(2, 5.0f + static_cast<float>(i));
        camera.SetInt(TvField::Mode, fixed ? 1 : 0);
        camera.SetFloat(5, 0.5f);
    }
    doc.TV2.Camera(1).SetFloat(0, 42.0f);
    doc.TV2.Camera(1).SetInt(TvField::Mode, fixed ? 1 : 0);
    UpdateHeaderSize(doc);
    return doc;
}

// The editor window in a fresh program folder, with every seam scripted.
class EditorTest : public ::testing::Test {
  protected:
    // Start-up; the first start writes the configuration file and shows its box.
    FrmMain& Start(const std::string& commandLine = "") {
        window = std::make_unique<FrmMain>(
            folder, commandLine,
            EditorPlatform{boxes, beeper, dialog, opener, remote, SystemFileLayer(),
                           [this](QWidget*, OptionsContext& context) {
                               if (editOptions) editOptions(context.working);
                               return optionsAnswer;
                           }});
        return *window;
    }
    // A window that has been started before: the configuration file exists.
    FrmMain& Restart(const std::string& commandLine = "") {
        Start();
        window.reset();
        boxes.shown.clear();
        return Start(commandLine);
    }
    void SaveSettings(const Settings& settings) {
        ASSERT_TRUE(WriteConfigFile(folder + "/Vistolarex.cfg", settings).ok);
    }
    // Shows the window and makes it the active one, so focus moves as for a user.
    void Activate() {
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    std::string WriteCam(const std::string& name, const CamDocument& doc) {
        WriteBytes(folder + "/" + name, SerializeCamDocument(doc));
        return folder + "/" + name;
    }
    // The Load and Save buttons with the given pick in the file dialog (none: Cancel).
    void Load(std::optional<std::string> path) {
        dialog.picks.push_back(std::move(path));
        window->cmdLoadCAMFile_Click();
    }
    void Save(const std::string& path) {
        dialog.picks.push_back(path);
        window->cmdSaveCAMFile_Click();
    }

    TvPage& Tv1() { return window->Tv1Page(); }
    TvPage& Tv2() { return window->Tv2Page(); }
    PitlanePage& Pit() { return window->PitPage(); }
    std::string Shown(EntryBox* box) { return box->text().toStdString(); }
    std::string KOfN(TvPage& page) {
        return Shown(page.CurrentCam()) + " of " + Shown(page.TotalCams());
    }
    std::string Status() { return window->StatusLine(); }

    // Clicks into a box, types the text and tabs on, as a user does.
    void TypeAndTab(EntryBox* box, const QString& text) {
        if (!box->hasFocus()) {
            Click(box);
            EXPECT_EQ(box->selectedText(), box->text()) << "gaining the focus selects all";
        }
        box->selectAll();
        QTest::keyClicks(box, text);
        Keys(Qt::Key_Tab);
    }
    void Keys(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void ClickUp(ValueStepper* stepper, bool up = true) {
        QTest::mouseClick(up ? stepper->UpArrow() : stepper->DownArrow(), Qt::LeftButton);
    }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // A click into a box; the selection that gaining the focus makes follows at once.
    void Click(EntryBox* box) {
        QTest::mouseClick(box, Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    ScratchFolder scratch;
    std::string folder = scratch.Root();
    ScriptedMessageBoxes boxes;
    CountingBeeper beeper;
    ScriptedFileDialog dialog;
    RecordingOpener opener;
    FakeGameRemote remote;
    bool optionsAnswer = false;
    std::function<void(Settings&)> editOptions;
    std::unique_ptr<FrmMain> window;
};

}  // namespace vx::testing
