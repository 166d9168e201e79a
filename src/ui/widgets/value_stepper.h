// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QWidget>
#include <cstdint>

class QToolButton;

namespace vx {

// An up/down control with an integer position, an increment per click and a range.
// Only a click on one of its arrows is a step (signal `stepped`); the program
// positions it silently, so positioning never counts as a step and never eats
// the user's next click.
class ValueStepper : public QWidget {
    Q_OBJECT
  public:
    explicit ValueStepper(QWidget* parent = nullptr);

    void SetRange(std::int32_t minimum, std::int32_t maximum);
    void SetIncrement(std::int32_t increment) { increment_ = increment; }
    // Positions from outside the range are taken to its nearest end, so the next
    // click steps back into the range.
    void SetPosition(std::int32_t position);

    std::int32_t Position() const { return position_; }
    std::int32_t Minimum() const { return minimum_; }
    std::int32_t Maximum() const { return maximum_; }
    std::int32_t Increment() const { return increment_; }

    // Steps as `steps` clicks would; a page of steps (more than one) that would
    // leave the range stops at its end instead of doing nothing.
    void StepBy(int steps);
    // The name a screen reader gives the stepper; its arrows add "up" and "down" and
    // are described by the stepper's tooltip, which must be set first.
    void SetAccessibleNames(const QString& name);

    QToolButton* UpArrow() const { return up_; }
    QToolButton* DownArrow() const { return down_; }

  signals:
    void stepped(std::int32_t position);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QToolButton* up_;
    QToolButton* down_;
    std::int32_t minimum_ = 0;
    std::int32_t maximum_ = 100;
    std::int32_t increment_ = 1;
    std::int32_t position_ = 0;
};

}  // namespace vx
