// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

#include "ui/widgets/camera_overview_model.h"

namespace vx {

// The cameras of one TV set as marks along a strip of track: the shown camera
// highlighted, a line from each camera to its change-over point, and a click on a
// mark asking the page to show that camera.
class CameraOverview : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kStripHeight = 70;
    static constexpr int kMargin = 14;
    // Where the marks stand, for painting and for finding them again.
    static constexpr int kMarkTop = 8;
    static constexpr int kMarkBottom = 34;

    // What the strip paints with, by the palette it is shown in: the track, its
    // ticks and labels in the palette's Text where that reads on Base (4.5:1),
    // else black or white; the marks in shades that stand out on a light or a
    // dark Base, so that a dark colour scheme keeps the strip readable.
    struct Colours {
        QColor base, line, fixed, moving, shown, fault;
    };
    static Colours ColoursFor(const QPalette& palette);

    explicit CameraOverview(const QString& objectName, QWidget* parent = nullptr);

    // Rebuilds the strip: the marks of the set and, given its coverage, the live
    // stretches under them. Needed only when a camera moved, came or went.
    void ShowSet(const CameraSet& set, int shownCamera, const SetCoverage* coverage = nullptr);
    // Another camera shown, nothing else changed.
    void ShowCamera(int shownCamera);

    const OverviewStrip& Strip() const { return strip_; }
    // The x pixel of a camera's mark at the present width.
    int MarkX(const OverviewMark& mark) const;
    // The x pixel of a distance along the track at the present width.
    int DistanceX(double distance) const;
    // Where the bands of the live stretches lie.
    static constexpr int kBandTop = kMarkBottom + 5;
    static constexpr int kBandBottom = kMarkBottom + 11;

  signals:
    // The user clicked the mark or the live stretch of camera `number` (counted from 1).
    void cameraClicked(int number);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    std::optional<int> CameraAt(double x) const;
    std::optional<int> BandAt(const QPoint& at) const;

    OverviewStrip strip_;
};

// The contrast ratio of two colours as the accessibility guidelines define it,
// from 1 (the same lightness) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);

}  // namespace vx
