// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>
#include <string>

#include "settings/settings.h"

namespace vx {

// The game remote as the windows see it: each call runs to completion inside the
// button handler that made it, keeping the windows alive while it waits.
class GameRemote {
  public:
    virtual ~GameRemote() = default;
    // The editor's Test button, on the live settings; PlayScript decides replay.
    virtual void TestFromEditor(const Settings& settings) = 0;
    // The options dialog's "Test script", on the working settings; always replays.
    virtual void TestScript(const Settings& working) = 0;
    // "Record new script" into the working settings. True when the recording ran
    // (the dialog then enables "Test script" and "Play script after GPL has started").
    virtual bool RecordScript(Settings& working) = 0;
    // A fresh mouse driver, measuring the screen again (each opening of the options).
    virtual void RenewMouseDriver() = 0;
    // Ends the running operation, if any, at its next step: no key or click is sent
    // afterwards. Called from a handler that runs inside one of its waits.
    virtual void CancelRunning() = 0;
    virtual bool Running() const = 0;
    // Where the remote reports what the user must know but need not confirm.
    void SetStatusLine(std::function<void(const std::string&)> status) {
        status_ = std::move(status);
    }
    // Where a running recording reports its progress.
    void SetRecordingLine(std::function<void(const std::string&)> line) {
        recording_ = std::move(line);
    }

  protected:
    void ReportStatus(const std::string& text) {
        if (status_) status_(text);
    }
    void ReportRecording(const std::string& text) {
        if (recording_) recording_(text);
    }

  private:
    std::function<void(const std::string&)> status_;
    std::function<void(const std::string&)> recording_;
};

}  // namespace vx
