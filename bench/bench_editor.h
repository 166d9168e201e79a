// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <string>

#include "document/cam_document.h"
#include "support/scripted_platform.h"
#include "ui/editor/editor_window.h"

namespace vx::bench {

// The editor window as a user meets it, every seam that would block on a person
// scripted. Its program folder holds a valid configuration whose game folder has
// a gpl.exe, so start-up takes its ordinary road and shows no box.
class BenchEditor {
  public:
    explicit BenchEditor(const std::string& name);
    ~BenchEditor();

    const std::string& ProgramFolder() const { return folder_; }
    // Writes a CAM file into the program folder and returns its path.
    std::string WriteCam(const std::string& name, const CamDocument& doc) const;

    // Runs start-up, shows the window and waits until it is on the (offscreen)
    // screen. Null when the window did not appear in time.
    EditorWindow* Start(const std::string& commandLine = "");
    // Makes the shown window the active one, so focus moves as for a user.
    bool Activate();
    void Close();
    EditorWindow* Window() const { return window_.get(); }

    testing::ScriptedMessageBoxes boxes;
    testing::CountingBeeper beeper;
    testing::ScriptedFileDialog dialog;
    testing::RecordingOpener opener;
    testing::FakeGameRemote remote;

  private:
    std::string folder_;
    std::unique_ptr<EditorWindow> window_;
};

// Runs the pending events, the repaint of what a handler changed included.
void FlushEvents();

}  // namespace vx::bench
