// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QDialog>
#include <optional>

#include "editing/camera_move.h"

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace vx {

// "Move cameras…": a range of cameras of a set of `count`, a shift in metres or a
// scale factor (numbers in the user's locale), and whether the switch points keep
// their place on the track. OK is enabled only while the amount reads as a number.
class MoveCamerasDialog : public QDialog {
    Q_OBJECT

  public:
    MoveCamerasDialog(int count, bool keepSwitchPoints, QWidget* parent = nullptr);

    // The move as filled in; nullopt while the amount is no number.
    std::optional<CameraMove> Move() const;

  private:
    void Refresh();

    QSpinBox* from_;
    QSpinBox* to_;
    QRadioButton* shift_;
    QRadioButton* scale_;
    QLineEdit* shiftBy_;
    QLineEdit* scaleBy_;
    QCheckBox* keep_;
    QDialogButtonBox* buttons_;
};

}  // namespace vx
