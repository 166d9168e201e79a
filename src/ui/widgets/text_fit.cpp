// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/widgets/text_fit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

#include "ui/widgets/elided_label.h"

namespace vx {

namespace {

constexpr const char* kReservedText = "vxReservedText";

// QLineEdit keeps this much blank on either side of its text, beyond the style's frame.
constexpr int kLineEditMargin = 2;

struct Room {
    QRect rect;    // where the text goes
    QString text;  // the widest text it must hold
};

Room RoomOf(const QWidget& widget) {
    const QStyle* style = widget.style();
    // A path label elides what does not fit; it never needs more room.
    if (qobject_cast<const ElidedLabel*>(&widget)) return {};
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        const int indent = label->indent() > 0 ? label->indent() : 0;
        return {label->contentsRect().adjusted(indent + label->margin(), label->margin(),
                                               -label->margin(), -label->margin()),
                label->buddy() != nullptr ? VisibleCaption(label->text()) : label->text()};
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        QStyle::SubElement element = QStyle::SE_PushButtonContents;
        if (qobject_cast<const QCheckBox*>(button)) element = QStyle::SE_CheckBoxContents;
        if (qobject_cast<const QRadioButton*>(button)) element = QStyle::SE_RadioButtonContents;
        if (element == QStyle::SE_PushButtonContents && !qobject_cast<const QPushButton*>(button)) {
            return {};
        }
        return {style->subElementRect(element, &option, button), VisibleCaption(button->text())};
    }
    if (const auto* line = qobject_cast<const QLineEdit*>(&widget)) {
        QStyleOptionFrame option;
        option.initFrom(line);
        option.lineWidth =
            line->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, line) : 0;
        const QMargins margins = line->textMargins();
        QRect rect = style->subElementRect(QStyle::SE_LineEditContents, &option, line)
                         .marginsRemoved(margins)
                         .adjusted(kLineEditMargin, 0, -kLineEditMargin, 0);
        const QString reserved = line->property(kReservedText).toString();
        const QFontMetrics metrics(line->font());
        return {rect, metrics.horizontalAdvance(reserved) > metrics.horizontalAdvance(line->text())
                          ? reserved
                          : line->text()};
    }
    return {};
}

}  // namespace

QString VisibleCaption(const QString& caption) {
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
        shown += caption[i];
    }
    return shown;
}

double FontGrowth(const QWidget& widget) {
    constexpr double kDesignPointSize = 8.0;
    QFont design = widget.font();
    design.setPointSizeF(kDesignPointSize);
    const double designHeight = QFontMetricsF(design).height();
    if (designHeight <= 0) return 1.0;
    return std::max(1.0, QFontMetricsF(widget.font()).height() / designHeight);
}

void ReserveRoomFor(QWidget& box, const QString& widest) { box.setProperty(kReservedText, widest); }

double NeededScale(const QWidget& root) {
    double scale = 1.0;
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        if (widget->isHidden() || widget->width() <= 0 || widget->height() <= 0) continue;
        widget->ensurePolished();
        const Room room = RoomOf(*widget);
        if (room.text.isEmpty()) continue;
        const QFontMetrics metrics(widget->font());
        // What the style keeps around the text stays; the rest must grow to the text.
        const int padX = widget->width() - room.rect.width();
        const int padY = widget->height() - room.rect.height();
        const int textWidth = metrics.horizontalAdvance(room.text);
        // One pixel more, as the grown geometry is rounded to whole pixels.
        scale = std::max(scale, double(textWidth + padX + 1) / widget->width());
        scale = std::max(scale, double(metrics.height() + padY + 1) / widget->height());
    }
    return scale;
}

}  // namespace vx
