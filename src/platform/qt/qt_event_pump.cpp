// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "platform/qt/qt_event_pump.h"

#include <QCoreApplication>

namespace vx {

void QtEventPump::ProcessPendingEvents() {
    if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
}

}  // namespace vx
