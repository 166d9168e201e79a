#include "ui/camera_overview.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace vx {

namespace {

constexpr int kMarkHalfWidth = 3;
constexpr int kShownHalfWidth = 5;
constexpr int kChangeOverY = CameraOverview::kMarkBottom + 3;
constexpr int kTrackY = CameraOverview::kMarkBottom + 8;
constexpr int kTickLength = 4;
constexpr double kMinTickSpacing = 70.0;
const QColor kTrackColour{0x50, 0x50, 0x50};

QColor KindColour(const OverviewMark& mark) {
    return mark.fixed ? CameraOverview::kFixedColour : CameraOverview::kMovingColour;
}

}  // namespace

CameraOverview::CameraOverview(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    setFixedHeight(kStripHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CameraOverview::ShowSet(const CameraSet& set, int shownCamera) {
    strip_ = BuildOverviewStrip(set, shownCamera);
    update();
}

int CameraOverview::MarkX(const OverviewMark& mark) const {
    return static_cast<int>(std::lround(DistanceToX(strip_, mark.distance, width(), kMargin)));
}

std::optional<int> CameraOverview::CameraAt(double x) const {
    return CameraAtX(strip_, x, width(), kMargin);
}

bool CameraOverview::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const std::optional<int> number = CameraAt(help->pos().x());
    if (!number) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    const OverviewMark& mark = strip_.marks.at(static_cast<std::size_t>(*number - 1));
    QToolTip::showText(help->globalPos(), QString::fromStdString(MarkToolTip(mark)), this);
    return true;
}

void CameraOverview::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    if (const std::optional<int> number = CameraAt(event->position().x())) {
        emit cameraClicked(*number);
    }
}

void CameraOverview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));

    const int left = kMargin;
    const int right = std::max(kMargin, width() - kMargin);
    painter.setPen(QPen(kTrackColour, 2));
    painter.drawLine(left, kTrackY, right, kTrackY);

    QFont font = painter.font();
    font.setPointSizeF(std::max(6.0, font.pointSizeF() * 0.8));
    painter.setFont(font);
    painter.setPen(QPen(kTrackColour, 1));
    const int labelTop = kTrackY + kTickLength + 1;
    for (double tick : OverviewTicks(strip_, width(), kMargin, kMinTickSpacing)) {
        const int x = static_cast<int>(std::lround(DistanceToX(strip_, tick, width(), kMargin)));
        painter.drawLine(x, kTrackY, x, kTrackY + kTickLength);
        // Labels at the ends are pushed inwards rather than cut off.
        const QString text = QString::fromStdString(FormatMetres(tick) + " m");
        const int textWidth = painter.fontMetrics().horizontalAdvance(text);
        const int textLeft = std::clamp(x - textWidth / 2, 0, std::max(0, width() - textWidth));
        painter.drawText(QRect(textLeft, labelTop, textWidth, height() - labelTop),
                         Qt::AlignLeft | Qt::AlignTop, text);
    }

    // Change-over lines under the marks, so that a mark is never hidden by a line.
    for (const OverviewMark& mark : strip_.marks) {
        const int from = MarkX(mark);
        const int to =
            static_cast<int>(std::lround(DistanceToX(strip_, mark.changeOver, width(), kMargin)));
        painter.setPen(QPen(KindColour(mark), 1));
        painter.drawLine(from, kChangeOverY, to, kChangeOverY);
        painter.drawLine(to, kChangeOverY - 3, to, kChangeOverY + 3);
    }

    // The shown camera last, on top of any mark at the same place.
    const OverviewMark* shown = nullptr;
    auto drawMark = [&](const OverviewMark& mark) {
        const int half = mark.shown ? kShownHalfWidth : kMarkHalfWidth;
        const QRect box(MarkX(mark) - half, kMarkTop, 2 * half + 1, kMarkBottom - kMarkTop + 1);
        // A frame of two pixels around the mark: red for a fault, else on the shown
        // mark its kind colour, so the kind stays visible under the highlight.
        if (mark.outOfOrder || mark.invalid) {
            painter.fillRect(box.adjusted(-2, -2, 2, 2), kFaultColour);
        } else if (mark.shown) {
            painter.fillRect(box.adjusted(-2, -2, 2, 2), KindColour(mark));
        }
        painter.fillRect(box, mark.shown ? kShownColour : KindColour(mark));
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
