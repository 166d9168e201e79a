// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QSize>

class QWidget;

namespace vx {

// Puts a fresh canvas for the window's controls into the window, inside a frameless
// scroll area that fills it. Returns the canvas.
QWidget* MakeScrollingCanvas(QWidget& window);

// Gives the window the canvas's size where the screen's available area holds it
// (the window's frame included), and otherwise as much as that area holds, the
// canvas scrolling as a whole inside it. The window keeps that size, and its frame
// is moved into the available area when it would stand out of it.
void FitWindowToScreen(QWidget& window, QSize canvas);

}  // namespace vx
