// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/input_state.h"
#include "platform/x11/x11_connection.h"

namespace vx {

// The left button and F5 as the X server delivers them to any client, through the
// RECORD extension: every press and release with the server's timestamp and the
// pointer position of the event, however short the press. Without RECORD it falls
// back to sampling the server's state at each look, which can miss short presses.
class X11InputWatch : public InputWatch {
  public:
    X11InputWatch();
    ~X11InputWatch() override;
    X11InputWatch(const X11InputWatch&) = delete;
    X11InputWatch& operator=(const X11InputWatch&) = delete;

    bool Start() override;
    void Stop() override;
    // The server's millisecond clock, read by a round trip.
    std::uint32_t NowMs() override;
    std::vector<InputEvent> Take() override;
    bool Pending() override;
    int WakeHandle() override;

    // Raw device events as RECORD hands them over; public for the callback.
    struct Raw {
        int type = 0;
        unsigned detail = 0;
        std::uint32_t time = 0;
        PointerPos at;
    };
    void Recorded(const Raw& raw);
    void DataStarted() { dataStarted_ = true; }

  private:
    void Sample();
    bool StartRecording();
    void StopRecording();

    X11Connection control_;
    _XDisplay* data_ = nullptr;
    unsigned long context_ = 0;
    bool dataStarted_ = false;
    bool sampling_ = false;
    bool started_ = false;
    unsigned f5Keycode_ = 0;
    unsigned long clockWindow_ = 0;
    unsigned long clockAtom_ = 0;
    std::vector<InputEvent> events_;
    std::size_t heldBack_ = 0;
    // The sampled state of the fall-back.
    bool leftDown_ = false;
    bool f5Down_ = false;
};

}  // namespace vx
