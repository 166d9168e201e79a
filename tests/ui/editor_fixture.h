// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <memory>

#include "document/cam_writer.h"
#include "settings/config_file.h"
#include "support/cam_file_builder.h"
#include "support/scratch_folder.h"
#include "support/scripted_platform.h"
#include "ui/editor/editor_window.h"
#include "ui/editor/pitlane_page.h"
#include "ui/editor/tv_page.h"
#include "ui/widgets/camera_overview.h"
#include "ui/widgets/entry_box.h"
#include "ui/widgets/value_stepper.h"

namespace vx::testing {

// TV1 cameras at the given distances, at heights 5, 6, 7 ...
inline CamDocument DocumentWithTv1(const std::vector<float>& distances, bool fixed = false) {
    CamDocument doc;
    NewDocument(doc);
    doc.TV1.SetCount(static_cast<int>(distances.size()));
    for (std::size_t i = 0; i < distances.size(); ++i) {
        TvCamera& camera = doc.TV1.Cameras[i];
        camera.SetFloat(0, distances[i]);
        camera.SetFloat(2, 5.0f + static_cast<float>(i));
        camera.SetInt(TvField::Mode, fixed ? 1 : 0);
    }
    UpdateHeaderSize(doc);
    return doc;
}

// The editor window in a fresh program folder, with every seam scripted.
class EditorTest : public ::testing::Test {
  protected:
    EditorWindow& Start(const std::string& commandLine = "", FileLayer& layer = SystemFileLayer()) {
        auto options = [this](QWidget*, OptionsContext& context) {
            if (editOptions) editOptions(context.working);
            return optionsAnswer;
        };
        window = std::make_unique<EditorWindow>(
            folder, commandLine,
            EditorPlatform{boxes, beeper, dialog, opener, remote, layer, options});
        return *window;
    }
    // Past the first start's configuration box.
    EditorWindow& Restart(const std::string& commandLine = "") {
        Start();
        window.reset();
        boxes.shown.clear();
        return Start(commandLine);
    }
    // Focus moves as for a user.
    EditorWindow& Active(EditorWindow& w) {
        w.show();
        QApplication::setActiveWindow(&w);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }
    std::string WriteCam(const std::string& name, const CamDocument& doc) {
        WriteBytes(folder + "/" + name, SerializeCamDocument(doc));
        return folder + "/" + name;
    }
    void Load(std::optional<std::string> path) {
        dialog.picks.push_back(std::move(path));
        window->OnLoadClicked();
    }
    void Save(const std::string& path) {
        dialog.picks.push_back(path);
        window->OnSaveClicked();
    }
    TvPage& Tv1() { return window->Tv1Page(); }
    TvPage& Tv2() { return window->Tv2Page(); }
    PitlanePage& Pit() { return window->PitPage(); }
    static std::string Shown(EntryBox* box) { return box->text().toStdString(); }
    std::string KOfN(TvPage& page) {
        return Shown(page.CurrentCam()) + " of " + Shown(page.TotalCams());
    }
    std::string Status() { return window->StatusLine(); }
    const CameraSet& Set(SetId set) { return window->Document().Set(set); }
    EditorWindow& StartWith(const CamDocument& doc) {
        EditorWindow& w = Active(Restart());
        Load(WriteCam("track.cam", doc));
        QGuiApplication::clipboard()->clear();
        return w;
    }
    // The camera keys act where the page's strip has the focus.
    void FocusPage(TvPage& page) {
        window->CamData()->setCurrentWidget(&page);
        page.Overview()->setFocus(Qt::OtherFocusReason);
    }
    // Dropped as the desktop does it; the load is queued.
    bool Drop(const std::vector<std::string>& urls) {
        QMimeData data;
        QList<QUrl> list;
        for (const std::string& url : urls) list << QUrl(QString::fromStdString(url));
        data.setUrls(list);
        QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
        QCoreApplication::processEvents();
        return enter.isAccepted();
    }
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
    void ClickUp(ValueStepper* stepper) { QTest::mouseClick(stepper->UpArrow(), Qt::LeftButton); }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void Click(EntryBox* box) {  // the select-all of the focus follows at once
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
    std::unique_ptr<EditorWindow> window;
};

}  // namespace vx::testing
