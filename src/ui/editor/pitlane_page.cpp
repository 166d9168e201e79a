// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/editor/pitlane_page.h"

#include <QGroupBox>
#include <QLabel>

#include "editing/field_entry.h"
#include "editing/field_table.h"
#include "platform/beeper.h"
#include "ui/editor/control_names.h"
#include "ui/editor/page_frame.h"
#include "ui/widgets/entry_box.h"
#include "ui/widgets/value_stepper.h"

namespace vx {

PitlanePage::PitlanePage(EditorContext& context, const Twips& twips, QWidget* parent)
    : QWidget(parent), ctx_(context), twips_(twips), frame_(new QGroupBox(this)) {
    setObjectName(QStringLiteral("pagePit"));
    frame_->setObjectName(QStringLiteral("frPit"));
    // As tall as the TV pages' frames, which hold the overview strip below their rows.
    frame_->resize(twips_(8775), twips_(5775 + kOverviewStripTwips));
    QWidget* previous = nullptr;
    for (int field = 0; field < kPitlaneFieldCount; ++field) {
        const FieldInfo& info = PitlaneFieldInfo(field);
        const auto i = static_cast<std::size_t>(field);
        const int top = 600 + 360 * field;
        auto* label = new QLabel(QString::fromUtf8(info.label), frame_);
        label->setObjectName(QStringLiteral("lblPitDescription_%1").arg(field));
        label->setGeometry(twips_.Rect(120, 645 + 360 * field, 4575, 255));
        description_[i] = label;

        auto* box = new EntryBox(QStringLiteral("0"), frame_);
        box->setObjectName(QStringLiteral("txtPitlaneCamData_%1").arg(field));
        box->setToolTip(QString::fromUtf8(info.tooltip));
        box->setGeometry(twips_.Rect(4800, top, 2055, 285));
        box->setEnabled(info.editable != Editable::Never);
        NameAfterLabel(label, box);
        box->setAccessibleName(RowEntryName(QStringLiteral("Pitlane"), field, info.label));
        camData_[i] = box;

        auto* stepper = new ValueStepper(frame_);
        stepper->setObjectName(QStringLiteral("UpDownValuePit_%1").arg(field));
        stepper->setGeometry(twips_.Rect(6960, top, 240, 285));
        stepper->setToolTip(QString::fromUtf8(info.stepper.tooltip));
        if (info.stepper.usable) {
            stepper->SetRange(info.stepper.minimum, info.stepper.maximum);
            stepper->SetIncrement(info.stepper.increment);
        }
        stepper->setEnabled(info.stepper.usable);
        stepper->SetAccessibleNames(RowStepperName(QStringLiteral("Pitlane"), field, info.label));
        box->SetStepper(stepper);
        upDown_[i] = stepper;

        if (box->isEnabled()) {
            if (previous != nullptr) QWidget::setTabOrder(previous, box);
            previous = box;
        } else {
            box->setFocusPolicy(Qt::NoFocus);
        }
        connect(box, &EntryBox::focusLost, this, [this, field] { OnPitlaneDataCommitted(field); });
        connect(stepper, &ValueStepper::stepped, this,
                [this, field](std::int32_t position) { OnPitlaneValueStepped(field, position); });
    }
}

void PitlanePage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceFrameOnStrip(*this, *frame_, twips_);
}

void PitlanePage::ShowPitlaneCamera() {
    for (int field = 0; field < kPitlaneFieldCount; ++field) ShowField(field);
}

void PitlanePage::ShowField(int field) {
    const PitlaneCamera& camera = ctx_.doc.Pitlane;
    CamData(field)->Show(QString::fromStdString(FormatPitlaneField(camera, field)));
    if (PitlaneFieldInfo(field).stepper.usable) {
        ValueStepperOf(field)->SetPosition(PitlaneStepperPosition(camera, field));
    }
}

void PitlanePage::NoteChange(const SessionChange& change) {
    if (change.cause == SessionChange::Cause::Replaced) {
        ShowPitlaneCamera();
        return;
    }
    if (change.words == nullptr) return;
    for (const DocumentChange::Word& word : change.words->words) {
        const WordPlace place = PlaceOfWord(word.index);
        if (place.area == WordPlace::Area::Pitlane) ShowField(place.field);
    }
}

void PitlanePage::OnPitlaneDataCommitted(int field) {
    // Passing through a box, as the page switch's focus does, is no entry.
    if (!CamData(field)->Changed()) return;
    EntryResult result = EntryResult::Accepted;
    const bool changed = ctx_.session.Apply(
        {PitlaneStepText("Entry " + FieldName(PitlaneFieldInfo(field).label)),
         {EditTab::Pitlane, 0, 0}},
        [&](CamDocument& doc) {
            result = EnterPitlaneField(doc, field, CamData(field)->text().toStdString());
        });
    // A refused or equal value changed no word, so the box takes back its stored text.
    if (!changed) ShowField(field);
    if (result == EntryResult::Rejected) {
        ctx_.beeper.Beep();
        ctx_.status(kEntryRefusedText);
    }
}

void PitlanePage::OnPitlaneValueStepped(int field, std::int32_t position) {
    if (!ctx_.session.Apply({PitlaneStepText("Step " + FieldName(PitlaneFieldInfo(field).label)),
                             {EditTab::Pitlane, 0, 0},
                             field},
                            [&](CamDocument& doc) { StepPitlaneField(doc, field, position); }))
        ShowField(field);
}

}  // namespace vx
