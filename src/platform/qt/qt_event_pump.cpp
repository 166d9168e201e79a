// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "platform/qt/qt_event_pump.h"

#include <poll.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <memory>

namespace vx {

void QtEventPump::ProcessPendingEvents() {
    if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
}

void QtEventPump::AwaitEvents(std::int32_t ms, int wake) {
    if (ms <= 0) return;
    if (QCoreApplication::instance() == nullptr) {
        pollfd fd{wake, POLLIN, 0};
        ::poll(&fd, wake < 0 ? 0 : 1, ms);
        return;
    }
    // Both only wake the loop; what woke it is looked at by the caller.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    deadline.start(ms);
    std::unique_ptr<QSocketNotifier> input;
    if (wake >= 0) input = std::make_unique<QSocketNotifier>(wake, QSocketNotifier::Read);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace vx
