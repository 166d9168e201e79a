// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include "ui/widgets/twips.h"

class QWidget;

namespace vx {

// The overview strip below the 14 rows of a TV page makes every page's frame, the tab
// strip and the window this much taller than the rows alone need.
inline constexpr int kOverviewStripTwips = 1050;

// The frame of a page lies at 120, 360 twips on the tab strip, wherever the strip
// puts the page itself below its tabs.
void PlaceFrameOnStrip(QWidget& page, QWidget& frame, const Twips& twips);

}  // namespace vx
