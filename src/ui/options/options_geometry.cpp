// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/options/options_geometry.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "ui/widgets/twips.h"

namespace vx {

namespace {
constexpr double kDesignPointSize = 8.0;
}  // namespace

int TwipsToPixelsX(const QWidget& widget, int twips) { return Twips(widget.logicalDpiX())(twips); }

int TwipsToPixelsY(const QWidget& widget, int twips) { return Twips(widget.logicalDpiY())(twips); }

void UseDesignFont(QWidget& window) {
    QFont font = window.font();
    if (font.pointSizeF() > kDesignPointSize) {
        font.setPointSizeF(kDesignPointSize);
        window.setFont(font);
    }
}

void CentreOnScreen(QWidget& window) {
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

}  // namespace vx
