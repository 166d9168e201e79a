// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QWidget>
#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "document/cam_document.h"
#include "editing/camera_set_ops.h"
#include "editing/coverage.h"
#include "editing/field_table.h"
#include "ui/editor/editor_context.h"
#include "ui/editor/page_frame.h"
#include "ui/widgets/twips.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QKeySequence;
class QLabel;
class QPushButton;

namespace vx {

class CameraOverview;
class EntryBox;
class ValueStepper;

// One TV page of the editor window: the frame frTV1 (or frTV2) with its controls
// and the handlers of that set. Object names are the control names; the arrays
// indexed by field number are named <control>_<field>: txtTV1CamData_0 ..
// txtTV1CamData_13, lblTV1Description_0 .., UpDownValueTV1_0 .., cmdAssignToAllTV1_0
// .. cmdAssignToAllTV1_11 (and the same with TV2 on the other page). Below the rows
// the overview strip ovTV1 (ovTV2) shows the whole set.
class TvPage : public QWidget {
    Q_OBJECT
  public:
    TvPage(SetId set, EditorContext& context, const Twips& twips, QWidget* parent = nullptr);

    SetId Set() const { return set_; }
    // The number of the shown camera (the selection spinner's value); 0 while the
    // set holds no camera.
    int Shown() const { return shown_; }

    // The handlers of the page's controls.
    void OnCamDataCommitted(int field);
    void OnCamFixedToggled();
    void OnValueStepped(int field, std::int32_t position);
    void OnAddBeforeClicked();
    void OnAddBehindClicked();
    void OnRemoveClicked();
    void OnAssignToAllClicked(int field);
    void OnSelectionStepped(int value);
    void OnCurrentCamCommitted();
    void OnTotalCamsCommitted();
    // A click on a mark of the overview strip: as if the number had been typed into
    // the camera-number field and the field left.
    void OnOverviewCameraClicked(int number);
    // "Move cameras…" (Ctrl+M and the page's context menu): a range of the set moved
    // as one step; a refusal is shown and changes nothing.
    void OnMoveCameras();
    // The strip's context menu: the lap length of this file and the far limit.
    void OnLapLengthRequested();
    void OnFarLimitRequested();
    // After every change of the session, the page's only redraw: the whole page for a
    // new document, a change of this set's count or of the camera to show, else the
    // changed fields of the shown camera. The strip is built anew only when a camera
    // moved, came, went or changed its mode, or the file changed.
    void NoteChange(const SessionChange& change);
    // Builds the strip anew, coverage included.
    void RebuildOverview();
    // The camera clipboard (Ctrl+C, Ctrl+Shift+V, Ctrl+V and the page's context menu).
    void OnCopyCamera();
    void OnPasteCameraBefore();
    void OnPasteCameraBehind();

    // The controls, for the window's tab order and for tests.
    EntryBox* CamData(int field) const { return camData_[static_cast<std::size_t>(field)]; }
    ValueStepper* ValueStepperOf(int field) const {
        return upDownValue_[static_cast<std::size_t>(field)];
    }
    QPushButton* AssignToAll(int field) const { return assign_[static_cast<std::size_t>(field)]; }
    QCheckBox* CamFixed() const { return camFixed_; }
    EntryBox* CurrentCam() const { return currentCam_; }
    EntryBox* TotalCams() const { return totalCams_; }
    ValueStepper* SelectionSpinner() const { return selection_; }
    QPushButton* AddBefore() const { return addBefore_; }
    QPushButton* AddBehind() const { return addBehind_; }
    QPushButton* Remove() const { return remove_; }
    QGroupBox* Frame() const { return frame_; }
    CameraOverview* Overview() const { return overview_; }
    QAction* CopyCameraAction() const { return copyCamera_; }
    QAction* PasteBeforeAction() const { return pasteBefore_; }
    QAction* PasteBehindAction() const { return pasteBehind_; }
    QAction* MoveCamerasAction() const { return moveCameras_; }

  signals:
    // The user changed a lap length or the far limit: both strips need building anew.
    void coverageChoicesChanged();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Fills the page from the shown camera.
    void ShowTvCamera();
    // Spinner maximum := count, shown camera := 1, page refreshed.
    void ShowFirstCamera();
    // Spinner maximum := count, the given camera (none below 1) shown.
    void ShowCamera(int number);
    void ShowField(const TvCamera& camera, int field);
    // Shows the given fields of the shown camera again (a page never filled, whole).
    void ShowFields(std::bitset<kTvFieldCount> fields);
    void BuildControls();
    void BuildClipboardActions();
    void SetTabOrder();
    // Names that tell the set and row of every control to a screen reader.
    void NameControls();
    // Up, Down, Page Up and Page Down in a box step the stepper beside it.
    void BindStepperKeys();
    // Sets the spinner's value; a change of value runs its Change handler.
    void SetSpinnerValue(int value);
    void ApplyEnabling();
    // Runs an insertion, removal or paste as the step `what`: a refused one beeps and
    // shows its line, a done one shows the camera it names.
    void RunSetOperation(const char* what,
                         const std::function<SetOperation(CamDocument&)>& operation);
    // "Entry Yaw [°] (fixed cam) (TV1 camera 3)" and the like.
    std::string FieldStep(const char* verb, int field) const;
    // The place of a step on the shown camera.
    StepPlace Place(int cameraAfter) const;
    // Marks the shown camera on the strip, building it first when it never was.
    void RefreshOverview();
    // The coverage of the set for the current file's lap length and the far limit.
    SetCoverage Coverage() const;
    void BuildCoverageActions();
    // The work of the focus-lost handlers; false when the entry was refused.
    bool EnterField(int field);
    bool SelectTypedCamera();
    bool GuardCount();
    // Commits what an entry box of the page holds and leaves the box; false when the
    // entry was refused, and the refusal then stands in the status line.
    bool CommitPendingEntry();
    void PasteCamera(Placement where);
    // Whether a key an entry box would take for itself is the page's camera shortcut.
    bool TakesCameraShortcut(const EntryBox& box, const QKeySequence& keys) const;

    SetId set_;
    EditorContext& ctx_;
    Twips twips_;
    int shown_ = 1;
    // The mode of the last switch; none before the first, when every row is enabled.
    std::optional<bool> rowsFixed_;
    bool refreshing_ = false;
    // Until the page first shows a camera, rows 0 to 11 stand enabled.
    bool everShown_ = false;

    QGroupBox* frame_ = nullptr;
    QPushButton* addBefore_ = nullptr;
    QPushButton* addBehind_ = nullptr;
    QPushButton* remove_ = nullptr;
    EntryBox* currentCam_ = nullptr;
    ValueStepper* selection_ = nullptr;
    EntryBox* totalCams_ = nullptr;
    QCheckBox* camFixed_ = nullptr;
    std::array<QLabel*, kTvFieldCount> description_{};
    std::array<EntryBox*, kTvFieldCount> camData_{};
    std::array<ValueStepper*, kTvFieldCount> upDownValue_{};
    std::array<QPushButton*, kAssignableFieldCount> assign_{};
    CameraOverview* overview_ = nullptr;
    QAction* copyCamera_ = nullptr;
    QAction* pasteBefore_ = nullptr;
    QAction* pasteBehind_ = nullptr;
    QAction* moveCameras_ = nullptr;
    bool overviewBuilt_ = false;
};

}  // namespace vx
