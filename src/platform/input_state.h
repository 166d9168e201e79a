#pragma once

#include <cstdint>

namespace vx {

// The physical state now, whatever window has the focus.
class KeyState {
  public:
    virtual ~KeyState() = default;
    virtual bool LeftButtonDown() = 0;
    virtual bool F5Down() = 0;
};

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

}  // namespace vx
