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
        desk_.windows[1] = {left, top, left + width, top + height};
        return 1;
    }
    WindowHandle UnknownWindow() { return 999999; }
    std::vector<std::string> Seen() {
        std::vector<std::string> seen;
        for (const auto& e : std::exchange(desk_.log, {})) {
            if (e.starts_with("key ")) seen.push_back(e);
            if (!e.starts_with("wheel ")) continue;
            const int notches = std::stoi(e.substr(6)) / 120;
            seen.insert(seen.end(), std::abs(notches), notches > 0 ? "press 4" : "press 5");
        }
        return seen;
    }

  private:
    ScriptedDesk desk_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(ScriptedDesk, DesktopContract, ScriptedDeskHarness);

}  // namespace
}  // namespace vx::testing
