// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/widgets/value_stepper.h"

#include <QToolButton>
#include <algorithm>

namespace vx {

ValueStepper::ValueStepper(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setObjectName(QStringLiteral("up"));
    down_->setObjectName(QStringLiteral("down"));
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* arrow : {up_, down_}) {
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
    }
    // A click takes the focus from an entry box first, which commits its text
    // before the step is taken from the committed value.
    setFocusPolicy(Qt::ClickFocus);
    connect(up_, &QToolButton::clicked, this, [this] { StepBy(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { StepBy(-1); });
}

void ValueStepper::SetRange(std::int32_t minimum, std::int32_t maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    SetPosition(position_);
}

void ValueStepper::SetPosition(std::int32_t position) {
    position_ = std::clamp(position, minimum_, maximum_);
}

void ValueStepper::StepBy(int steps) {
    std::int64_t next = static_cast<std::int64_t>(position_) + std::int64_t{steps} * increment_;
    // A click that would leave the range does nothing; there is no wrapping round.
    if (steps > 1 || steps < -1) next = std::clamp<std::int64_t>(next, minimum_, maximum_);
    if (next < minimum_ || next > maximum_ || next == position_) return;
    position_ = static_cast<std::int32_t>(next);
    emit stepped(position_);
}

void ValueStepper::SetAccessibleNames(const QString& name) {
    setAccessibleName(name);
    up_->setAccessibleName(name + QStringLiteral(" up"));
    down_->setAccessibleName(name + QStringLiteral(" down"));
    for (QToolButton* arrow : {up_, down_}) arrow->setAccessibleDescription(toolTip());
}

void ValueStepper::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int upper = height() / 2;
    up_->setGeometry(0, 0, width(), upper);
    down_->setGeometry(0, upper, width(), height() - upper);
}

}  // namespace vx
