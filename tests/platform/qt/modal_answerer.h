// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace vx::testing {

// Answers the next modal window of type W as soon as it is up, the way a user
// would: polls for it while the code under test sits in its exec().
template <class W>
class ModalAnswerer {
  public:
    ModalAnswerer() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
            if (window == nullptr || !window->isVisible()) return;
            timer_.stop();
            answered_ = true;
            answer_(*window);
        });
    }
    void AnswerNext(std::function<void(W&)> answer) {
        answer_ = std::move(answer);
        answered_ = false;
        timer_.start();
    }
    bool Answered() const { return answered_; }

  private:
    QTimer timer_;
    std::function<void(W&)> answer_;
    bool answered_ = false;
};

}  // namespace vx::testing
