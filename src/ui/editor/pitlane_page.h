// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

#include "document/cam_document.h"
#include "ui/editor/editor_context.h"
#include "ui/widgets/twips.h"

class QGroupBox;
class QLabel;

namespace vx {

class EntryBox;
class ValueStepper;

// The pitlane page: the frame frPit with, per field 0 to 12, the label
// lblPitDescription_<i>, the entry box txtPitlaneCamData_<i> and the stepper
// UpDownValuePit_<i>.
class PitlanePage : public QWidget {
    Q_OBJECT
  public:
    PitlanePage(EditorContext& context, const Twips& twips, QWidget* parent = nullptr);

    // After every change of the session, the page's only redraw: the whole page for a
    // new document, else the changed fields.
    void NoteChange(const SessionChange& change);

    void OnPitlaneDataCommitted(int field);
    void OnPitlaneValueStepped(int field, std::int32_t position);

    EntryBox* CamData(int field) const { return camData_[static_cast<std::size_t>(field)]; }
    ValueStepper* ValueStepperOf(int field) const {
        return upDown_[static_cast<std::size_t>(field)];
    }
    QGroupBox* Frame() const { return frame_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ShowPitlaneCamera();
    void ShowField(int field);

    EditorContext& ctx_;
    Twips twips_;
    QGroupBox* frame_;
    std::array<QLabel*, kPitlaneFieldCount> description_{};
    std::array<EntryBox*, kPitlaneFieldCount> camData_{};
    std::array<ValueStepper*, kPitlaneFieldCount> upDown_{};
};

}  // namespace vx
