// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/beeper.h"
#include "platform/document_opener.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "remote/game_remote.h"

namespace vx::testing {

// Message boxes answered from a queue; every box shown is kept for the checks.
class ScriptedMessageBoxes : public MessageBoxes {
  public:
    struct Shown {
        std::string title;
        std::string text;
        BoxIcon icon;
        BoxButtons buttons;
    };
    std::vector<Shown> shown;
    std::deque<BoxAnswer> answers;  // an empty queue answers OK

    BoxAnswer Show(const std::string& title, const std::string& text, BoxIcon icon,
                   BoxButtons buttons) override {
        shown.push_back({title, text, icon, buttons});
        if (answers.empty()) return BoxAnswer::Ok;
        BoxAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class CountingBeeper : public Beeper {
  public:
    int beeps = 0;
    void Beep() override { ++beeps; }
};

// A file dialog whose user picks the queued names; nullopt in the queue cancels.
class ScriptedFileDialog : public FileDialog {
  public:
    std::deque<std::optional<std::string>> picks;
    std::string initialFolder;
    std::string fileName;
    int opens = 0;
    int saves = 0;

    std::optional<std::string> AskOpen() override {
        ++opens;
        return Next();
    }
    std::optional<std::string> AskSave() override {
        ++saves;
        return Next();
    }
    void SetInitialFolder(const std::string& folder) override { initialFolder = folder; }
    std::string InitialFolder() const override { return initialFolder; }
    void SetFileName(const std::string& name) override { fileName = name; }

  private:
    std::optional<std::string> Next() {
        if (picks.empty()) return std::nullopt;
        auto pick = picks.front();
        picks.pop_front();
        return pick;
    }
};

class RecordingOpener : public DocumentOpener {
  public:
    std::vector<std::string> opened;
    void Open(const std::string& path) override { opened.push_back(path); }
};

// A game remote that records its calls; a recording stores `recordedClicks` clicks
// and answers `recordRuns`.
class FakeGameRemote : public GameRemote {
  public:
    int editorTests = 0;
    int scriptTests = 0;
    int recordings = 0;
    int driverRenewals = 0;
    bool recordRuns = true;
    std::uint8_t recordedClicks = 3;
    std::vector<Settings> testedWith;

    void TestFromEditor(const Settings& settings) override {
        ++editorTests;
        testedWith.push_back(settings);
    }
    void TestScript(const Settings& working) override {
        ++scriptTests;
        testedWith.push_back(working);
        if (duringRun) duringRun();
    }
    bool RecordScript(Settings& working) override {
        ++recordings;
        if (duringRun) duringRun();
        if (!recordRuns) return false;
        working.ClickCount = recordedClicks;
        for (int i = 1; i <= recordedClicks; ++i) {
            working.ClickIntervals[static_cast<std::size_t>(i)] = 100 * i;
            working.ClickX[static_cast<std::size_t>(i)] = 10 * i;
            working.ClickY[static_cast<std::size_t>(i)] = 20 * i;
        }
        return true;
    }
    void RenewMouseDriver() override { ++driverRenewals; }
    void CancelRunning() override { ++cancels; }
    bool Running() const override { return false; }
    int cancels = 0;
    // Runs inside the dialog's test and recording, as the user's events would.
    std::function<void()> duringRun;
};

}  // namespace vx::testing
