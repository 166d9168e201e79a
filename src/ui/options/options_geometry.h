// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

class QWidget;

namespace vx {

// Window sizes are given in twips; they become pixels at the widget's logical DPI,
// rounded as the editor window rounds them.
int TwipsToPixelsX(const QWidget& widget, int twips);
int TwipsToPixelsY(const QWidget& widget, int twips);

// The windows were laid out for an 8-point font; larger desktop fonts would cut the
// captions off inside the fixed window size.
void UseDesignFont(QWidget& window);

// Places a window's frame in the middle of the screen it is on.
void CentreOnScreen(QWidget& window);

}  // namespace vx
