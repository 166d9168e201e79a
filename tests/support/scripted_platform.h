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

// The queue's front, taken off it; `none` when it is empty.
template <class T, class U>
T Pop(std::deque<T>& queue, U none) {
    if (queue.empty()) return none;
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

// Message boxes answered from a queue; every box shown is kept for the checks.
struct ScriptedMessageBoxes : MessageBoxes {
    struct Shown {
        std::string title;
        std::string text;
        BoxIcon icon;
        BoxButtons buttons;
        BoxAnswer preselected;
    };
    std::vector<Shown> shown;
    std::deque<BoxAnswer> answers;  // an empty queue answers OK

    BoxAnswer Show(const std::string& title, const std::string& text, BoxIcon icon,
                   BoxButtons buttons, BoxAnswer preselected) override {
        shown.push_back({title, text, icon, buttons, preselected});
        return Pop(answers, BoxAnswer::Ok);
    }

    struct Chosen {
        std::string title;
        std::string text;
        BoxIcon icon;
        std::vector<std::string> buttons;
        int defaultButton;
    };
    std::vector<Chosen> questions;
    std::deque<int> choices;  // an empty queue chooses the default button

    int Choose(const std::string& title, const std::string& text, BoxIcon icon,
               const std::vector<std::string>& buttons, int defaultButton,
               int /*escapeButton*/) override {
        questions.push_back({title, text, icon, buttons, defaultButton});
        return Pop(choices, defaultButton);
    }
};

struct CountingBeeper : Beeper {
    int beeps = 0;
    std::function<void()> onBeep;
    void Beep() override {
        ++beeps;
        if (onBeep) onBeep();
    }
};

// A file dialog whose user picks the queued names; nullopt in the queue cancels.
struct ScriptedFileDialog : FileDialog {
    std::deque<std::optional<std::string>> picks;
    std::string initialFolder;
    std::string fileName;
    int opens = 0;

    std::optional<std::string> AskOpen() override {
        ++opens;
        return Pop(picks, std::nullopt);
    }
    // The folder and name each save dialog opened with, as "folder|name".
    std::vector<std::string> savesOpenedOn;
    std::optional<std::string> AskSave() override {
        savesOpenedOn.push_back(initialFolder + "|" + fileName);
        return Pop(picks, std::nullopt);
    }
    void SetInitialFolder(const std::string& folder) override { initialFolder = folder; }
    std::string InitialFolder() const override { return initialFolder; }
    void SetFileName(const std::string& name) override { fileName = name; }
};

struct RecordingOpener : DocumentOpener {
    std::vector<std::string> opened;
    void Open(const std::string& path) override { opened.push_back(path); }
};

// A game remote that records its calls; a recording, when `recordRuns`, stores three
// clicks.
struct FakeGameRemote : GameRemote {
    int editorTests = 0;
    int scriptTests = 0;
    int driverRenewals = 0;
    int cancels = 0;
    bool recordRuns = true;
    std::vector<Settings> testedWith;
    // Runs inside the dialog's test and recording, as the user's events would.
    std::function<void()> duringRun;

    void TestFromEditor(const Settings& settings) override {
        ++editorTests;
        testedWith.push_back(settings);
        if (duringRun) duringRun();
    }
    void TestScript(const Settings& working) override {
        ++scriptTests;
        testedWith.push_back(working);
        if (duringRun) duringRun();
    }
    bool RecordScript(Settings& working) override {
        ReportRecording(kRecordingLine);
        if (duringRun) duringRun();
        if (!recordRuns) return false;
        working.ClickCount = 3;
        for (int i = 1; i <= 3; ++i) {
            working.ClickIntervals[static_cast<std::size_t>(i)] = 100 * i;
            working.ClickX[static_cast<std::size_t>(i)] = 10 * i;
            working.ClickY[static_cast<std::size_t>(i)] = 20 * i;
        }
        return true;
    }
    void RenewMouseDriver() override { ++driverRenewals; }
    void CancelRunning() override { ++cancels; }
    bool Running() const override { return false; }
    static constexpr const char* kRecordingLine = "Recording: 2 clicks.";
};

}  // namespace vx::testing
