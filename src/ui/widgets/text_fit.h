// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

class QWidget;

namespace vx {

// How much larger than its design a window laid out in twips must be drawn so that
// every caption, label, button text and box text of it fits whole in the room its
// style leaves, at the window's font: 1 when everything fits as designed.
double NeededScale(const QWidget& root);

// How much taller the widget's font draws than the 8-point font the windows were
// designed for: what a window laid out by its layouts grows by; never below 1.
double FontGrowth(const QWidget& widget);

// A caption as drawn: the mnemonic's marker gone, a doubled one drawn once.
QString VisibleCaption(const QString& caption);

// A text box whose text changes keeps room for this text as well ("255" in a
// camera-number box, the longest message in the status line).
void ReserveRoomFor(QWidget& box, const QString& widest);

}  // namespace vx
