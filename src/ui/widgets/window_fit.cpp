// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/widgets/window_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace vx {

namespace {

// The window manager's frame; before the window is first shown it is not known
// yet, and a title bar and thin borders are reserved.
QMargins FrameOf(const QWidget& window) {
    if (const QWindow* handle = window.windowHandle(); handle != nullptr && window.isVisible()) {
        return handle->frameMargins();
    }
    constexpr int kTitleBar = 40;
    constexpr int kBorder = 6;
    return {kBorder, kTitleBar, kBorder, kBorder};
}

}  // namespace

QWidget* MakeScrollingCanvas(QWidget& window) {
    auto* area = new QScrollArea(&window);
    area->setObjectName(QStringLiteral("scrWindow"));
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus);
    auto* canvas = new QWidget;
    canvas->setObjectName(QStringLiteral("canvas"));
    area->setWidget(canvas);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area);
    return canvas;
}

void FitWindowToScreen(QWidget& window, QSize canvas) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        window.setFixedSize(canvas);
        return;
    }
    const QRect available = screen->availableGeometry();
    const QMargins frame = FrameOf(window);
    const QSize room = available.size().shrunkBy(frame);
    QSize size = canvas.boundedTo(room);
    // A scroll bar in one direction takes room from the other.
    const int bar = window.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &window);
    if (size.width() < canvas.width()) {
        size.setHeight(std::min(room.height(), canvas.height() + bar));
    }
    if (size.height() < canvas.height()) {
        size.setWidth(std::min(room.width(), canvas.width() + bar));
    }
    window.setFixedSize(size);
    // A window's position is that of its frame.
    const QRect outer(window.pos(), size.grownBy(frame));
    if (!available.contains(outer)) {
        const int left = std::max(available.left(),
                                  std::min(outer.left(), available.right() + 1 - outer.width()));
        const int top = std::max(available.top(),
                                 std::min(outer.top(), available.bottom() + 1 - outer.height()));
        window.move(left, top);
    }
}

}  // namespace vx
