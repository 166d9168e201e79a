// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/editor/page_frame.h"

#include <QTabWidget>
#include <algorithm>

namespace vx {

void PlaceFrameOnStrip(QWidget& page, QWidget& frame, const Twips& twips) {
    QWidget* strip = page.parentWidget();
    while (strip != nullptr && qobject_cast<QTabWidget*>(strip) == nullptr) {
        strip = strip->parentWidget();
    }
    const QPoint offset = strip != nullptr ? page.mapTo(strip, QPoint(0, 0)) : QPoint(0, 0);
    const QPoint wanted = twips.Point(120, 360) - offset;
    frame.move(std::max(0, wanted.x()), std::max(0, wanted.y()));
}

}  // namespace vx
