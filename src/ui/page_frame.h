#pragma once

#include "ui/twips.h"

class QWidget;

namespace vx {

// The frame of a page lies at 120, 360 twips on the tab strip, wherever the strip
// puts the page itself below its tabs.
void PlaceFrameOnStrip(QWidget& page, QWidget& frame, const Twips& twips);

}  // namespace vx
