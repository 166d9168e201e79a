#include "app/desktop_game_remote.h"

#include "platform/posix/posix_timing.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_process_launcher.h"
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_input_state.h"
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
          input_(connection_),
          keySender_(connection_),
          launcher_(connection_.IsOpen()),
          remote_(RemotePlatform{mouse_, input_, input_, clock_, sleeper_, pump_, keySender_,
                                 launcher_},
                  boxes, beeper) {}

    void TestFromEditor(const Settings& settings) override { remote_.TestFromEditor(settings); }
    void TestScript(const Settings& working) override { remote_.TestScript(working); }
    bool RecordScript(Settings& working) override { return remote_.RecordScript(working); }
    void RenewMouseDriver() override { remote_.RenewMouseDriver(); }

  private:
    X11Connection connection_;
    X11MouseInjector mouse_;
    X11InputState input_;
    X11KeySender keySender_;
    SteadyMillisecondClock clock_;
    ThreadSleeper sleeper_;
    QtEventPump pump_;
    QtProcessLauncher launcher_;
    ClickScriptRemote remote_;
};

}  // namespace

std::unique_ptr<GameRemote> MakeDesktopGameRemote(MessageBoxes& boxes, Beeper& beeper) {
    return std::make_unique<DesktopGameRemote>(boxes, beeper);
}

}  // namespace vx
