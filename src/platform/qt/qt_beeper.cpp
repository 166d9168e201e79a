// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "platform/qt/qt_beeper.h"

#include <QApplication>

namespace vx {

void QtBeeper::Beep() { QApplication::beep(); }

}  // namespace vx
