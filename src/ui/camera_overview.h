#pragma once

#include <QColor>
#include <QWidget>

#include "ui/camera_overview_model.h"

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
    static inline const QColor kFixedColour{0x1f, 0x5f, 0xd0};
    static inline const QColor kMovingColour{0x1a, 0x9a, 0x3a};
    static inline const QColor kShownColour{0xff, 0x8c, 0x00};
    static inline const QColor kFaultColour{0xd0, 0x10, 0x10};

    explicit CameraOverview(const QString& objectName, QWidget* parent = nullptr);

    // Call after every ShowTvCamera of the set the strip belongs to.
    void ShowSet(const CameraSet& set, int shownCamera);

    const OverviewStrip& Strip() const { return strip_; }
    // The x pixel of a camera's mark at the present width.
    int MarkX(const OverviewMark& mark) const;

  signals:
    // The user clicked the mark of camera `number` (counted from 1).
    void cameraClicked(int number);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    std::optional<int> CameraAt(double x) const;

    OverviewStrip strip_;
};

}  // namespace vx
