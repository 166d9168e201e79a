// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QPoint>
#include <QRect>
#include <cmath>

namespace vx {

// The window's layout is designed in twips (1/1440 inch); controls are placed at
// the screen's logical resolution so the window keeps its designed proportions.
class Twips {
  public:
    explicit Twips(double logicalDpi) : dpi_(logicalDpi) {}

    int operator()(int twips) const { return static_cast<int>(std::lround(twips * dpi_ / 1440.0)); }
    QPoint Point(int left, int top) const { return {(*this)(left), (*this)(top)}; }
    QRect Rect(int left, int top, int width, int height) const {
        return {(*this)(left), (*this)(top), (*this)(width), (*this)(height)};
    }
    double Dpi() const { return dpi_; }

  private:
    double dpi_;
};

}  // namespace vx
