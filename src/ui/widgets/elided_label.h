// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QLabel>

namespace vx {

// A label for a path: text() keeps the whole text, but what does not fit is drawn
// elided in the middle, so both the start and the end of the path stay readable.
class ElidedLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

    // The text as drawn at the label's present width.
    QString ShownText() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vx
