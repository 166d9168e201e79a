#include "ui/options_geometry.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vx {

namespace {
constexpr int kTwipsPerInch = 1440;
constexpr double kDesignPointSize = 8.0;
}  // namespace

int TwipsToPixelsX(const QWidget& widget, int twips) {
    return twips * widget.logicalDpiX() / kTwipsPerInch;
}

int TwipsToPixelsY(const QWidget& widget, int twips) {
    return twips * widget.logicalDpiY() / kTwipsPerInch;
}

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
