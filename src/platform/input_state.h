// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <vector>

namespace vx {

struct PointerPos {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const PointerPos&) const = default;
};

// The pointer position in screen pixels.
class PointerReader {
  public:
    virtual ~PointerReader() = default;
    virtual PointerPos Position() = 0;
};

struct InputEvent {
    enum class Kind { LeftPress, LeftRelease, F5Press, F5Release };
    Kind kind = Kind::LeftPress;
    // On the watch's own millisecond clock, which wraps at 2^32.
    std::uint32_t timeMs = 0;
    // Where the pointer was when it happened, in screen pixels.
    PointerPos at;
    bool operator==(const InputEvent&) const = default;
};

// The left button and F5 as the server saw them, whatever window has the focus.
// Events rather than a sampled state: a press shorter than any poll is still seen.
class InputWatch {
  public:
    virtual ~InputWatch() = default;
    // Starts collecting; what happened before is not reported. False when the
    // desktop cannot report input at all.
    virtual bool Start() = 0;
    virtual void Stop() = 0;
    // Now, on the clock of the events' timestamps.
    virtual std::uint32_t NowMs() = 0;
    // The events since the last call, oldest first.
    virtual std::vector<InputEvent> Take() = 0;
    // True when events wait to be taken.
    virtual bool Pending() = 0;
    // A file descriptor that becomes readable when input may have arrived; negative
    // when the watch must be asked at short intervals instead.
    virtual int WakeHandle() = 0;
};

}  // namespace vx
