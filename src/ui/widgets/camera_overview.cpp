// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/widgets/camera_overview.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <string>

namespace vx {

namespace {

constexpr int kMarkHalfWidth = 3;
constexpr int kShownHalfWidth = 5;
constexpr int kChangeOverY = CameraOverview::kMarkBottom + 2;
constexpr int kTrackY = (CameraOverview::kBandTop + CameraOverview::kBandBottom) / 2;
constexpr int kFaultHalfWidth = 3;
constexpr int kTickLength = 4;
constexpr double kMinTickSpacing = 70.0;
constexpr double kReadableContrast = 4.5;

double Luminance(const QColor& colour) {
    auto linear = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

CameraOverview::Colours CameraOverview::ColoursFor(const QPalette& palette) {
    Colours colours;
    colours.base = palette.color(QPalette::Base);
    colours.line = palette.color(QPalette::Text);
    if (ContrastRatio(colours.line, colours.base) < kReadableContrast) {
        const QColor black(Qt::black);
        const QColor white(Qt::white);
        colours.line = ContrastRatio(black, colours.base) >= ContrastRatio(white, colours.base)
                           ? black
                           : white;
    }
    if (colours.base.lightnessF() >= 0.5) {
        colours.fixed = QColor(0x1f, 0x5f, 0xd0);
        colours.moving = QColor(0x1a, 0x9a, 0x3a);
        colours.shown = QColor(0xff, 0x8c, 0x00);
        colours.fault = QColor(0xd0, 0x10, 0x10);
    } else {
        colours.fixed = QColor(0x7f, 0xb0, 0xff);
        colours.moving = QColor(0x5a, 0xd2, 0x7a);
        colours.shown = QColor(0xff, 0xa0, 0x33);
        colours.fault = QColor(0xff, 0x6b, 0x6b);
    }
    return colours;
}

CameraOverview::CameraOverview(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    setFixedHeight(kStripHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CameraOverview::ShowSet(const CameraSet& set, int shownCamera, const SetCoverage* coverage) {
    strip_ = BuildOverviewStrip(set, shownCamera);
    if (coverage != nullptr) AddCoverage(strip_, *coverage);
    update();
}

void CameraOverview::ShowCamera(int shownCamera) {
    for (OverviewMark& mark : strip_.marks) mark.shown = mark.number == shownCamera;
    update();
}

int CameraOverview::MarkX(const OverviewMark& mark) const { return DistanceX(mark.distance); }

int CameraOverview::DistanceX(double distance) const {
    return static_cast<int>(std::lround(DistanceToX(strip_, distance, width(), kMargin)));
}

std::optional<int> CameraOverview::BandAt(const QPoint& at) const {
    if (at.y() < kBandTop || at.y() > kBandBottom) return std::nullopt;
    return BandAtX(strip_, at.x(), width(), kMargin);
}

std::optional<int> CameraOverview::CameraAt(double x) const {
    return CameraAtX(strip_, x, width(), kMargin);
}

bool CameraOverview::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    std::string text;
    if (const std::optional<int> number = CameraAt(help->pos().x())) {
        text = MarkToolTip(strip_.marks.at(static_cast<std::size_t>(*number - 1)));
    } else if (const std::optional<int> band = BandAt(help->pos())) {
        const auto found = std::find_if(strip_.bands.begin(), strip_.bands.end(),
                                        [&](const OverviewBand& b) { return b.number == *band; });
        text = BandToolTip(*found);
    }
    if (text.empty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(help->globalPos(), QString::fromStdString(text), this);
    return true;
}

void CameraOverview::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    std::optional<int> number = CameraAt(event->position().x());
    if (!number) number = BandAt(event->position().toPoint());
    if (number) emit cameraClicked(*number);
}

void CameraOverview::paintEvent(QPaintEvent*) {
    const Colours colours = ColoursFor(palette());
    auto kindColour = [&](const OverviewMark& mark) {
        return mark.fixed ? colours.fixed : colours.moving;
    };
    QPainter painter(this);
    painter.fillRect(rect(), colours.base);

    const int left = kMargin;
    const int right = std::max(kMargin, width() - kMargin);
    painter.setPen(QPen(colours.line, 2));
    painter.drawLine(left, kTrackY, right, kTrackY);

    QFont font = painter.font();
    font.setPointSizeF(std::max(6.0, font.pointSizeF() * 0.8));
    painter.setFont(font);
    painter.setPen(QPen(colours.line, 1));
    // Ticks and labels below the bands, which cover the track where cameras are live.
    const int labelTop = kBandBottom + kTickLength + 1;
    for (double tick : OverviewTicks(strip_, width(), kMargin, kMinTickSpacing)) {
        const int x = static_cast<int>(std::lround(DistanceToX(strip_, tick, width(), kMargin)));
        painter.drawLine(x, kBandBottom + 1, x, kBandBottom + kTickLength);
        // Labels at the ends are pushed inwards rather than cut off.
        const QString text = QString::fromStdString(FormatMetres(tick) + " m");
        const int textWidth = painter.fontMetrics().horizontalAdvance(text);
        const int textLeft = std::clamp(x - textWidth / 2, 0, std::max(0, width() - textWidth));
        painter.drawText(QRect(textLeft, labelTop, textWidth, height() - labelTop),
                         Qt::AlignLeft | Qt::AlignTop, text);
    }

    // The live stretches over the track, every other camera's lighter, so that the
    // hand-over from one camera to the next of the same kind shows.
    for (const OverviewBand& band : strip_.bands) {
        const OverviewMark& mark = strip_.marks.at(static_cast<std::size_t>(band.number - 1));
        QColor colour = kindColour(mark);
        if (band.number % 2 == 0) {
            colour =
                QColor::fromRgbF(static_cast<float>((colour.redF() + colours.base.redF()) / 2),
                                 static_cast<float>((colour.greenF() + colours.base.greenF()) / 2),
                                 static_cast<float>((colour.blueF() + colours.base.blueF()) / 2));
        }
        const int from = DistanceX(band.from);
        painter.fillRect(QRect(from, kBandTop, std::max(1, DistanceX(band.to) - from),
                               kBandBottom - kBandTop + 1),
                         colour);
    }
    // A camera never live has no band: its switch point is flagged in its place.
    for (const OverviewMark& mark : strip_.marks) {
        if (!mark.neverLive) continue;
        painter.fillRect(QRect(DistanceX(mark.changeOver) - kFaultHalfWidth, kBandTop - 2,
                               2 * kFaultHalfWidth + 1, kBandBottom - kBandTop + 5),
                         colours.fault);
    }

    // Change-over lines under the marks, so that a mark is never hidden by a line.
    for (const OverviewMark& mark : strip_.marks) {
        const int from = MarkX(mark);
        const int to = DistanceX(mark.changeOver);
        painter.setPen(QPen(kindColour(mark), 1));
        painter.drawLine(from, kChangeOverY, to, kChangeOverY);
        // A switch point out of order is flagged where it lies.
        if (mark.switchOutOfOrder) painter.setPen(QPen(colours.fault, 3));
        painter.drawLine(to, kChangeOverY - 2, to, kChangeOverY + 2);
    }

    // The shown camera last, on top of any mark at the same place.
    const OverviewMark* shown = nullptr;
    auto drawMark = [&](const OverviewMark& mark) {
        const int half = mark.shown ? kShownHalfWidth : kMarkHalfWidth;
        const QRect box(MarkX(mark) - half, kMarkTop, 2 * half + 1, kMarkBottom - kMarkTop + 1);
        // A frame of two pixels around the mark: red for a fault, else on the shown
        // mark its kind colour, so the kind stays visible under the highlight.
        if (mark.outOfOrder || mark.invalid) {
            painter.fillRect(box.adjusted(-2, -2, 2, 2), colours.fault);
        } else if (mark.shown) {
            painter.fillRect(box.adjusted(-2, -2, 2, 2), kindColour(mark));
        }
        painter.fillRect(box, mark.shown ? colours.shown : kindColour(mark));
    };
    for (const OverviewMark& mark : strip_.marks) {
        if (mark.shown) {
            shown = &mark;
        } else {
            drawMark(mark);
        }
    }
    if (shown) drawMark(*shown);
}

}  // namespace vx
