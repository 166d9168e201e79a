// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "app/desktop_game_remote.h"

#include <QTimer>
#include <chrono>

#include "platform/posix/posix_timing.h"
#include "platform/posix/proc_process_family.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_process_launcher.h"
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_game_windows.h"
#include "platform/x11/x11_input_watch.h"
#include "platform/x11/x11_key_sender.h"
#include "platform/x11/x11_mouse_injector.h"
#include "remote/click_script_remote.h"

namespace vx {
namespace {

// Owns the desktop parts in the order the remote needs them built.
class DesktopGameRemote : public GameRemote {
  public:
    DesktopGameRemote(MessageBoxes& boxes, Beeper& beeper)
        : mouse_(connection_),
          keySender_(connection_),
          launcher_(connection_.IsOpen()),
          remote_(RemotePlatform{mouse_, input_, clock_, sleeper_, pump_, keySender_, launcher_,
                                 family_, windows_},
                  boxes, beeper) {
        remote_.SetStatusLine([this](const std::string& text) { ReportStatus(text); });
        remote_.SetRecordingLine([this](const std::string& text) { ReportRecording(text); });
        front_.setInterval(kLookForWindowMs);
        QObject::connect(&front_, &QTimer::timeout, [this] {
            if (!remote_.LookForGame() || std::chrono::steady_clock::now() > frontUntil_)
                front_.stop();
        });
    }

    void TestFromEditor(const Settings& settings) override {
        if (!remote_.Running()) front_.stop();
        remote_.TestFromEditor(settings);
        // A plain launch returns at once; the game's window, which appears later, is
        // still brought to the front, while the editor goes on.
        if (!settings.PlayScript && !remote_.Running()) {
            frontUntil_ = std::chrono::steady_clock::now() + kFrontLookTime;
            front_.start();
        }
    }
    void TestScript(const Settings& working) override {
        if (!remote_.Running()) front_.stop();
        remote_.TestScript(working);
    }
    bool RecordScript(Settings& working) override {
        if (!remote_.Running()) front_.stop();
        return remote_.RecordScript(working);
    }
    void RenewMouseDriver() override { remote_.RenewMouseDriver(); }
    void CancelRunning() override {
        front_.stop();
        remote_.CancelRunning();
    }
    bool Running() const override { return remote_.Running(); }

  private:
    X11Connection connection_;
    X11MouseInjector mouse_;
    X11InputWatch input_;
    X11GameWindows windows_;
    X11KeySender keySender_;
    SteadyMillisecondClock clock_;
    ThreadSleeper sleeper_;
    QtEventPump pump_;
    QtProcessLauncher launcher_;
    ProcProcessFamily family_;
    ClickScriptRemote remote_;
    // A game under wine may take this long to show its first window.
    static constexpr auto kFrontLookTime = std::chrono::seconds(60);
    QTimer front_;
    std::chrono::steady_clock::time_point frontUntil_;
};

}  // namespace

std::unique_ptr<GameRemote> MakeDesktopGameRemote(MessageBoxes& boxes, Beeper& beeper) {
    return std::make_unique<DesktopGameRemote>(boxes, beeper);
}

}  // namespace vx
