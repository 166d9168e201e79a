// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/editor/move_cameras_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "editing/locale_number.h"

namespace vx {

MoveCamerasDialog::MoveCamerasDialog(int count, bool keepSwitchPoints, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmMoveCameras"));
    setWindowTitle(QStringLiteral("Vistolarex: Move cameras"));
    from_ = new QSpinBox(this);
    from_->setObjectName(QStringLiteral("txtMoveFrom"));
    to_ = new QSpinBox(this);
    to_->setObjectName(QStringLiteral("txtMoveTo"));
    for (QSpinBox* box : {from_, to_}) box->setRange(1, std::max(1, count));
    from_->setValue(1);
    to_->setValue(std::max(1, count));
    shift_ = new QRadioButton(QStringLiteral("&Shift by (m):"), this);
    shift_->setObjectName(QStringLiteral("optMoveShift"));
    scale_ = new QRadioButton(QStringLiteral("S&cale by the factor:"), this);
    scale_->setObjectName(QStringLiteral("optMoveScale"));
    shiftBy_ = new QLineEdit(QStringLiteral("0"), this);
    shiftBy_->setObjectName(QStringLiteral("txtMoveShift"));
    scaleBy_ = new QLineEdit(QString::fromStdString(FormatLocaleNumber(1, 7)), this);
    scaleBy_->setObjectName(QStringLiteral("txtMoveScale"));
    shift_->setChecked(true);
    keep_ =
        new QCheckBox(QStringLiteral("&Keep the switch points where they are on the track"), this);
    keep_->setObjectName(QStringLiteral("chkKeepSwitchPoints"));
    keep_->setChecked(keepSwitchPoints);
    keep_->setToolTip(
        QStringLiteral("Checked: the change-over points change by minus each camera's move "
                       "(within ±10000 m). Clear: the switch points move with their cameras."));
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* range = new QHBoxLayout;
    range->addWidget(from_);
    range->addWidget(new QLabel(QStringLiteral("to"), this));
    range->addWidget(to_);
    range->addStretch();
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Cameras &from:"), range);
    form->addRow(shift_, shiftBy_);
    form->addRow(scale_, scaleBy_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(keep_);
    layout->addWidget(buttons_);

    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QLineEdit* edit : {shiftBy_, scaleBy_}) {
        connect(edit, &QLineEdit::textChanged, this, [this] { Refresh(); });
    }
    for (QRadioButton* button : {shift_, scale_}) {
        connect(button, &QRadioButton::toggled, this, [this] { Refresh(); });
    }
    // The range keeps from <= to, whichever end the user moves.
    connect(from_, &QSpinBox::valueChanged, this,
            [this](int value) { to_->setValue(std::max(value, to_->value())); });
    connect(to_, &QSpinBox::valueChanged, this,
            [this](int value) { from_->setValue(std::min(value, from_->value())); });
    Refresh();
}

std::optional<CameraMove> MoveCamerasDialog::Move() const {
    const bool shift = shift_->isChecked();
    const std::optional<double> amount =
        ParseLocaleNumber((shift ? shiftBy_ : scaleBy_)->text().toStdString());
    if (!amount) return std::nullopt;
    CameraMove move;
    move.first = from_->value();
    move.last = to_->value();
    move.kind = shift ? CameraMove::Kind::Shift : CameraMove::Kind::Scale;
    move.amount = *amount;
    move.keepSwitchPoints = keep_->isChecked();
    return move;
}

void MoveCamerasDialog::Refresh() {
    shiftBy_->setEnabled(shift_->isChecked());
    scaleBy_->setEnabled(scale_->isChecked());
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(Move().has_value());
}

}  // namespace vx
