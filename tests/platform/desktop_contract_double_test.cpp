// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "platform/desktop_contract.h"
#include "support/scripted_desk.h"

namespace vx::testing {
namespace {

// The scripted desk must behave like a desktop, or the remote's tests prove nothing.
class ScriptedDeskHarness {
  public:
    bool Available() { return true; }
    MouseInjector& Mouse() { return desk_; }
    PointerReader& Pointer() { return desk_; }
    InputWatch& Watch() { return desk_; }
    KeySender& Sender() { return desk_; }
    void HoldF5(bool down) { desk_.HoldF5(down); }
    WindowHandle MakeWindow(int left, int top, int width, int height) {
        WindowHandle handle = desk_.windows.size() + 1;
        desk_.windows[handle] = {left, top, left + width, top + height};
        return handle;
    }
    WindowHandle UnknownWindow() { return 999999; }
    int WheelNotchesSeen() { return std::exchange(desk_.wheelNotches, 0); }
    std::vector<std::string> KeysSeen() {
        std::vector<std::string> keys;
        for (const auto& entry : desk_.WithPrefix("key ")) keys.push_back(entry.substr(4));
        return keys;
    }

  private:
    ScriptedDesk desk_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(ScriptedDesk, DesktopContract, ScriptedDeskHarness);

}  // namespace
}  // namespace vx::testing
