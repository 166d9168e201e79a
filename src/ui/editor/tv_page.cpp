// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/editor/tv_page.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "editing/camera_move.h"
#include "editing/camera_set_ops.h"
#include "editing/field_entry.h"
#include "editing/locale_number.h"
#include "platform/beeper.h"
#include "platform/message_box.h"
#include "ui/editor/camera_clipboard.h"
#include "ui/editor/control_names.h"
#include "ui/editor/editor_texts.h"
#include "ui/editor/move_cameras_dialog.h"
#include "ui/editor/page_frame.h"
#include "ui/widgets/camera_overview.h"
#include "ui/widgets/entry_box.h"
#include "ui/widgets/text_fit.h"
#include "ui/widgets/value_stepper.h"

namespace vx {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

QString Indexed(const QString& name, int index) { return name + u'_' + QString::number(index); }

std::bitset<kTvFieldCount> OneField(int field) {
    return std::bitset<kTvFieldCount>().set(static_cast<std::size_t>(field));
}

int RowTop(int field) { return 600 + 360 * field; }

constexpr int kFrameHeight = 5775 + kOverviewStripTwips;
// Just below the last row (5280 + 285), across the frame's width.
constexpr int kOverviewTop = 5640;

}  // namespace

TvPage::TvPage(SetId set, EditorContext& context, const Twips& twips, QWidget* parent)
    : QWidget(parent), set_(set), ctx_(context), twips_(twips) {
    BuildControls();
    BuildClipboardActions();
    BuildCoverageActions();
    SetTabOrder();
    NameControls();
    BindStepperKeys();
    ApplyEnabling();
}

void TvPage::BuildControls() {
    const bool tv1 = set_ == SetId::TV1;
    const QString name = QString::fromLatin1(SetName(set_));
    setObjectName(QStringLiteral("page") + name);

    frame_ = new QGroupBox(this);
    frame_->setObjectName(QStringLiteral("fr") + name);
    frame_->resize(twips_(8775), twips_(kFrameHeight));

    auto button = [&](const QString& objectName, const char* caption, const char* tooltip,
                      QRect where) {
        auto* b = new QPushButton(QString::fromUtf8(caption), frame_);
        b->setObjectName(objectName);
        b->setToolTip(QString::fromUtf8(tooltip));
        b->setGeometry(where);
        b->setAutoDefault(false);
        return b;
    };
    auto label = [&](const QString& objectName, const QString& caption, QRect where) {
        auto* l = new QLabel(caption, frame_);
        l->setObjectName(objectName);
        l->setGeometry(where);
        return l;
    };
    auto entry = [&](const QString& objectName, const QString& tooltip, QRect where) {
        auto* e = new EntryBox(QStringLiteral("0"), frame_);
        e->setObjectName(objectName);
        e->setToolTip(tooltip);
        e->setGeometry(where);
        return e;
    };

    addBefore_ = button(QStringLiteral("cmdAdd%1Before").arg(name), "Add &Before",
                        "Adds an empty cameraslot before the one currently shown",
                        twips_.Rect(120, 240, 1335, 285));
    addBehind_ = button(QStringLiteral("cmdAdd%1Behind").arg(name), "Add Behin&d",
                        "Adds an empty cameraslot behind the one currently shown",
                        twips_.Rect(1680, 240, 1335, 285));
    remove_ = button(QStringLiteral("cmdRemove%1").arg(name), "Re&move",
                     tv1 ? "Removes the currently shown camera" : "Removes currently shown camera",
                     twips_.Rect(3240, 240, 1335, 285));
    label(QStringLiteral("lblCurrent%1Cam").arg(name), QStringLiteral("Cam #"),
          twips_.Rect(4800, 285, 615, 255));
    // The number boxes hold three digits, the spinner and "of" moved right to make room.
    currentCam_ = entry(QStringLiteral("txtCurrent%1Cam").arg(name),
                        QStringLiteral("Shows the index of the currently selected camera"),
                        twips_.Rect(5400, 240, 495, 285));
    currentCam_->Show(QStringLiteral("1"));
    selection_ = new ValueStepper(frame_);
    selection_->setObjectName(QStringLiteral("UpDown") + name);
    selection_->setToolTip(QStringLiteral("Changes camera selection"));
    selection_->setGeometry(twips_.Rect(5940, 240, 240, 285));
    selection_->SetRange(1, 1);
    selection_->SetIncrement(1);
    selection_->SetPosition(1);
    label(tv1 ? QStringLiteral("lblOf") : QStringLiteral("lblOf2"), QStringLiteral("of"),
          twips_.Rect(6240, 285, 300, 255));
    totalCams_ = entry(QStringLiteral("txtTotal%1Cams").arg(name),
                       QStringLiteral("Shows the total number of cameras in the %1-set").arg(name),
                       twips_.Rect(6600, 240, 495, 285));
    totalCams_->Show(QStringLiteral("1"));
    const QString widestCount = QString::number(kMaxCamerasPerSet);
    ReserveRoomFor(*currentCam_, widestCount);
    ReserveRoomFor(*totalCams_, widestCount);

    for (int field = 0; field < kTvFieldCount; ++field) {
        const FieldInfo& info = TvFieldInfo(set_, field);
        const auto i = static_cast<std::size_t>(field);
        description_[i] =
            label(Indexed(QStringLiteral("lbl%1Description").arg(name), field),
                  QString::fromUtf8(info.label), twips_.Rect(120, 645 + 360 * field, 4575, 255));
        camData_[i] = entry(Indexed(QStringLiteral("txt%1CamData").arg(name), field),
                            field == TvField::Mode ? QString() : QString::fromUtf8(info.tooltip),
                            twips_.Rect(4800, RowTop(field), 2055, 285));
        NameAfterLabel(description_[i], camData_[i]);
        auto* stepper = new ValueStepper(frame_);
        stepper->setObjectName(Indexed(QStringLiteral("UpDownValue%1").arg(name), field));
        stepper->setGeometry(twips_.Rect(6960, RowTop(field), 240, 285));
        stepper->setToolTip(QString::fromUtf8(info.stepper.tooltip));
        if (info.stepper.usable) {
            stepper->SetRange(info.stepper.minimum, info.stepper.maximum);
            stepper->SetIncrement(info.stepper.increment);
        }
        upDownValue_[i] = stepper;
        if (field < kAssignableFieldCount) {
            assign_[i] = button(Indexed(QStringLiteral("cmdAssignToAll%1").arg(name), field),
                                AssignToAllCaption(), AssignToAllTooltip(set_),
                                twips_.Rect(7320, RowTop(field), 1335, 285));
            connect(assign_[i], &QPushButton::clicked, this,
                    [this, field] { OnAssignToAllClicked(field); });
        }
        connect(camData_[i], &EntryBox::focusLost, this,
                [this, field] { OnCamDataCommitted(field); });
        connect(stepper, &ValueStepper::stepped, this,
                [this, field](std::int32_t position) { OnValueStepped(field, position); });
    }
    // The check box takes the place of field 4's entry box, which is never shown.
    camData_[TvField::Mode]->hide();
    upDownValue_[TvField::Mode]->hide();
    camFixed_ = new QCheckBox(frame_);
    camFixed_->setObjectName(QStringLiteral("chk%1CamFixed").arg(name));
    camFixed_->setToolTip(QString::fromUtf8(CameraModeTooltip()));
    camFixed_->setGeometry(twips_.Rect(4800, 2055, 255, 255));
    NameAfterLabel(description_[TvField::Mode], camFixed_);
    currentCam_->setAccessibleName(QStringLiteral("%1 camera number").arg(name));
    totalCams_->setAccessibleName(QStringLiteral("Number of %1 cameras").arg(name));

    overview_ = new CameraOverview(QStringLiteral("ov") + name, frame_);
    overview_->setFixedHeight(twips_(kOverviewStripTwips));
    overview_->setGeometry(twips_.Rect(120, kOverviewTop, 8535, kOverviewStripTwips));
    // A click on the strip takes the focus, so that a pending entry is committed to
    // the camera it was typed for before another camera is shown.
    overview_->setFocusPolicy(Qt::ClickFocus);
    connect(overview_, &CameraOverview::cameraClicked, this,
            [this](int number) { OnOverviewCameraClicked(number); });

    // Only the user's click switches the mode; showing a camera sets the box quietly.
    connect(camFixed_, &QCheckBox::clicked, this, [this] { OnCamFixedToggled(); });
    connect(addBefore_, &QPushButton::clicked, this, [this] { OnAddBeforeClicked(); });
    connect(addBehind_, &QPushButton::clicked, this, [this] { OnAddBehindClicked(); });
    connect(remove_, &QPushButton::clicked, this, [this] { OnRemoveClicked(); });
    connect(selection_, &ValueStepper::stepped, this,
            [this](std::int32_t value) { OnSelectionStepped(value); });
    connect(currentCam_, &EntryBox::focusLost, this, [this] { OnCurrentCamCommitted(); });
    connect(totalCams_, &EntryBox::focusLost, this, [this] { OnTotalCamsCommitted(); });
}

void TvPage::BuildClipboardActions() {
    auto action = [this](const char* text, QKeySequence keys, void (TvPage::*handler)()) {
        auto* a = new QAction(QString::fromUtf8(text), this);
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        addAction(a);
        return a;
    };
    copyCamera_ = action("Copy camera", QKeySequence(Qt::CTRL | Qt::Key_C), &TvPage::OnCopyCamera);
    pasteBefore_ = action("Paste camera before", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V),
                          &TvPage::OnPasteCameraBefore);
    pasteBehind_ = action("Paste camera behind", QKeySequence(Qt::CTRL | Qt::Key_V),
                          &TvPage::OnPasteCameraBehind);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    // The boxes would take these keys for their own text; the filter decides.
    for (EntryBox* box : camData_) box->installEventFilter(this);
    currentCam_->installEventFilter(this);
    totalCams_->installEventFilter(this);
}

void TvPage::BuildCoverageActions() {
    moveCameras_ = new QAction(QStringLiteral("Move cameras…"), this);
    moveCameras_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    moveCameras_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(moveCameras_, &QAction::triggered, this, [this] { OnMoveCameras(); });
    auto* lap = new QAction(QStringLiteral("Lap length…"), this);
    connect(lap, &QAction::triggered, this, [this] { OnLapLengthRequested(); });
    auto* far = new QAction(QStringLiteral("Far limit…"), this);
    connect(far, &QAction::triggered, this, [this] { OnFarLimitRequested(); });
    // The page's menu holds them too, for the keyboard, which does not reach the strip.
    addActions({moveCameras_, lap, far});
    overview_->addActions({lap, far, moveCameras_});
    overview_->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void TvPage::SetTabOrder() {
    // The count box takes a click but is no stop on the way to the values.
    totalCams_->setFocusPolicy(Qt::ClickFocus);
    QList<QWidget*> chain{addBefore_, addBehind_, remove_, currentCam_};
    for (int field = TvField::Distance; field <= TvField::OpeningAngle; ++field) {
        chain << (field == TvField::Mode ? static_cast<QWidget*>(camFixed_) : CamData(field));
    }
    for (int field = 0; field < kAssignableFieldCount; ++field) chain << AssignToAll(field);
    for (int i = 0; i + 1 < chain.size(); ++i) QWidget::setTabOrder(chain[i], chain[i + 1]);
    for (int field : {TvField::Mode, TvField::Unknown12, TvField::Unknown13})
        CamData(field)->setFocusPolicy(Qt::NoFocus);
}

void TvPage::NameControls() {
    const QString set = QString::fromLatin1(SetName(set_));
    for (int field = 0; field < kTvFieldCount; ++field) {
        const char* label = TvFieldInfo(set_, field).label;
        CamData(field)->setAccessibleName(RowEntryName(set, field, label));
        ValueStepperOf(field)->SetAccessibleNames(RowStepperName(set, field, label));
        if (field < kAssignableFieldCount) {
            AssignToAll(field)->setAccessibleName(RowAssignName(set, field, label));
        }
    }
    camFixed_->setAccessibleName(
        RowEntryName(set, TvField::Mode, TvFieldInfo(set_, TvField::Mode).label));
    selection_->SetAccessibleNames(set + QStringLiteral(": step camera number"));
    addBefore_->setAccessibleName(set + QStringLiteral(": Add Before"));
    addBehind_->setAccessibleName(set + QStringLiteral(": Add Behind"));
    remove_->setAccessibleName(set + QStringLiteral(": Remove"));
}

void TvPage::BindStepperKeys() {
    for (int field = 0; field < kTvFieldCount; ++field) {
        CamData(field)->SetStepper(ValueStepperOf(field));
    }
    currentCam_->SetStepper(selection_);
}

void TvPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceFrameOnStrip(*this, *frame_, twips_);
}

void TvPage::ShowTvCamera() {
    const CameraSet& cameras = ctx_.doc.Set(set_);
    const int count = cameras.Count();
    everShown_ = true;
    refreshing_ = true;
    totalCams_->Show(QString::number(count));
    if (count == 0) {
        // A loaded file may leave a set empty: nothing to show until a camera is added.
        shown_ = 0;
        currentCam_->Show(QStringLiteral("0"));
        for (EntryBox* box : camData_) box->Show(QString());
        ApplyEnabling();
        RefreshOverview();
        refreshing_ = false;
        return;
    }
    shown_ = std::clamp(shown_, 1, count);
    const TvCamera& camera = cameras.Camera(shown_);
    for (int field = 0; field < kTvFieldCount; ++field) ShowField(camera, field);
    ApplyEnabling();
    RefreshOverview();
    refreshing_ = false;
}

void TvPage::ShowField(const TvCamera& camera, int field) {
    if (field == TvField::Mode) {
        // Looking at a camera changes nothing in it: the box and the rows follow its
        // mode, and field 4 keeps whatever pattern the file holds.
        rowsFixed_ = camera.IsFixed();
        const QSignalBlocker quiet(camFixed_);
        camFixed_->setChecked(camera.IsFixed());
        return;
    }
    CamData(field)->Show(Text(FormatTvField(camera, field)));
    if (TvFieldInfo(set_, field).stepper.usable) {
        ValueStepperOf(field)->SetPosition(TvStepperPosition(camera, field));
    }
}

void TvPage::ShowFields(std::bitset<kTvFieldCount> fields) {
    if (shown_ == 0 || fields.none()) return;
    if (!everShown_) {
        ShowTvCamera();
        return;
    }
    refreshing_ = true;
    const TvCamera& camera = ctx_.doc.Set(set_).Camera(shown_);
    for (int field = 0; field < kTvFieldCount; ++field) {
        if (fields[static_cast<std::size_t>(field)]) ShowField(camera, field);
    }
    if (fields[TvField::Mode]) ApplyEnabling();
    refreshing_ = false;
}

void TvPage::RefreshOverview() {
    if (!overviewBuilt_) {
        RebuildOverview();
    } else {
        overview_->ShowCamera(shown_);
    }
}

void TvPage::RebuildOverview() {
    const SetCoverage coverage = Coverage();
    overview_->ShowSet(ctx_.doc.Set(set_), shown_, &coverage);
    overviewBuilt_ = true;
}

SetCoverage TvPage::Coverage() const {
    const std::optional<double> given = ctx_.coverage.LapLength(ctx_.session.CurrentFile());
    const LapLength lap = given ? LapLength{*given, false} : EstimatedLapLength(ctx_.doc);
    return CoverageOf(ctx_.doc, set_, lap, ctx_.coverage.FarLimit());
}

void TvPage::NoteChange(const SessionChange& change) {
    if (change.cause == SessionChange::Cause::Replaced) {
        ShowFirstCamera();
        RebuildOverview();
        return;
    }
    // A save keeps the words, but the lap length follows the file.
    if (change.words == nullptr) {
        RebuildOverview();
        return;
    }
    const EditTab tab = set_ == SetId::TV1 ? EditTab::TV1 : EditTab::TV2;
    const int camera = change.place.tab == tab && !change.words->Empty() ? change.camera : shown_;
    bool whole = camera >= 1 && camera != shown_;
    std::bitset<kTvFieldCount> fields;
    // The estimated lap follows both sets, so any camera's move may change this strip.
    bool moved = false;
    for (const DocumentChange::Word& word : change.words->words) {
        const WordPlace place = PlaceOfWord(word.index);
        if (place.area == WordPlace::Area::Count) {
            moved = true;
            whole = whole || place.set == set_;
        } else if (place.area == WordPlace::Area::Camera) {
            moved = moved || place.field == TvField::Distance ||
                    place.field == TvField::ChangeOver || place.field == TvField::Mode;
            if (place.set == set_ && place.camera == shown_)
                fields.set(static_cast<std::size_t>(place.field));
        }
    }
    if (whole) {
        ShowCamera(camera);
    } else {
        ShowFields(fields);
    }
    if (moved) RebuildOverview();
}

void TvPage::OnMoveCameras() {
    if (!CommitPendingEntry() || ctx_.doc.Set(set_).Count() == 0) return;
    MoveCamerasDialog dialog(ctx_.doc.Set(set_).Count(), ctx_.settings.FixedSwitchOver, this);
    if (dialog.exec() != QDialog::Accepted || !dialog.Move()) return;
    const CameraMove move = *dialog.Move();
    MoveOutcome outcome;
    ctx_.session.Apply({StepText("Move cameras", set_, shown_), Place(shown_)},
                       [&](CamDocument& doc) { outcome = MoveCameras(doc, set_, move); });
    if (!outcome.ok) {
        ctx_.beeper.Beep();
        ctx_.boxes.Show(kMoveCamerasTitle, outcome.refusal, BoxIcon::Exclamation, BoxButtons::Ok);
        return;
    }
    ctx_.status(kCamerasMovedText);
    if (!outcome.clamps.empty()) {
        std::string text = "These change-over points were held at the limit of 10000 m:";
        for (const std::string& clamp : outcome.clamps) text += "\n" + clamp;
        ctx_.boxes.Show(kMoveCamerasTitle, text, BoxIcon::Information, BoxButtons::Ok);
    }
}

void TvPage::OnLapLengthRequested() {
    const std::string file = ctx_.session.CurrentFile();
    const std::optional<double> given = ctx_.coverage.LapLength(file);
    const LapLength shown = given ? LapLength{*given, false} : EstimatedLapLength(ctx_.doc);
    bool ok = false;
    const QString text = QInputDialog::getText(
        this, QStringLiteral("Vistolarex: Lap length"),
        QStringLiteral("Lap length of this file in metres (empty: estimated from the cameras):"),
        QLineEdit::Normal, given ? Text(FormatLocaleNumber(shown.metres, 15)) : QString(), &ok);
    if (!ok) return;
    const std::optional<double> metres = ParseLocaleNumber(text.trimmed().toStdString());
    if (!text.trimmed().isEmpty() && !(metres && *metres > 0)) {
        ctx_.beeper.Beep();
        ctx_.status(kEntryRefusedText);
        return;
    }
    const WriteResult written =
        ctx_.coverage.SetLapLength(file, text.trimmed().isEmpty() ? std::nullopt : metres);
    if (!written.ok) ctx_.status("Lap length not kept: " + written.error.description + ". Ready.");
    emit coverageChoicesChanged();
}

void TvPage::OnFarLimitRequested() {
    bool ok = false;
    const QString text = QInputDialog::getText(
        this, QStringLiteral("Vistolarex: Far limit"),
        QStringLiteral("Report a camera standing farther than this outside its live stretch (m):"),
        QLineEdit::Normal, Text(FormatLocaleNumber(ctx_.coverage.FarLimit(), 15)), &ok);
    if (!ok) return;
    const std::optional<double> metres = ParseLocaleNumber(text.trimmed().toStdString());
    if (!metres || *metres < 0) {
        ctx_.beeper.Beep();
        ctx_.status(kEntryRefusedText);
        return;
    }
    const WriteResult written = ctx_.coverage.SetFarLimit(*metres);
    if (!written.ok) ctx_.status("Far limit not kept: " + written.error.description + ". Ready.");
    emit coverageChoicesChanged();
}

void TvPage::ShowFirstCamera() {
    const int count = ctx_.doc.Set(set_).Count();
    selection_->SetRange(1, std::max(count, 1));
    if (count == 0) {
        ShowTvCamera();
        return;
    }
    SetSpinnerValue(1);
    ShowTvCamera();
}

void TvPage::ShowCamera(int number) {
    selection_->SetRange(1, std::max(ctx_.doc.Set(set_).Count(), 1));
    if (number >= 1) SetSpinnerValue(number);
    ShowTvCamera();
}

std::string TvPage::FieldStep(const char* verb, int field) const {
    return StepText(std::string(verb) + " " + FieldName(TvFieldInfo(set_, field).label), set_,
                    shown_);
}

StepPlace TvPage::Place(int cameraAfter) const {
    return {set_ == SetId::TV1 ? EditTab::TV1 : EditTab::TV2, shown_, cameraAfter};
}

void TvPage::SetSpinnerValue(int value) {
    selection_->SetPosition(value);
    if (shown_ != value) OnSelectionStepped(value);
}

void TvPage::ApplyEnabling() {
    const bool any = !everShown_ || ctx_.doc.Set(set_).Count() > 0;
    for (int field = 0; field < kTvFieldCount; ++field) {
        bool enabled = any && TvFieldInfo(set_, field).editable != Editable::Never;
        if (rowsFixed_ && field != TvField::Mode) {
            enabled = enabled && TvRowEnabled(field, *rowsFixed_);
        }
        CamData(field)->setEnabled(enabled);
        ValueStepperOf(field)->setEnabled(enabled && TvFieldInfo(set_, field).stepper.usable);
        if (field < kAssignableFieldCount) AssignToAll(field)->setEnabled(enabled);
    }
    camFixed_->setEnabled(any);
    currentCam_->setEnabled(any);
    selection_->setEnabled(any);
    copyCamera_->setEnabled(ctx_.doc.Set(set_).Count() > 0);
}

void TvPage::OnCamDataCommitted(int field) { EnterField(field); }

bool TvPage::EnterField(int field) {
    // Passing through a box is no entry: the stored pattern stays as it is.
    if (refreshing_ || shown_ == 0 || !CamData(field)->Changed()) return true;
    EntryResult result = EntryResult::Accepted;
    const bool changed =
        ctx_.session.Apply({FieldStep("Entry", field), Place(shown_)}, [&](CamDocument& doc) {
            result = EnterTvField(doc, set_, shown_, field, CamData(field)->text().toStdString(),
                                  ctx_.settings.FixedSwitchOver);
        });
    // A refused or equal value changed no word, so the box takes back its stored text.
    if (!changed) ShowFields(OneField(field));
    if (result == EntryResult::Rejected) {
        ctx_.beeper.Beep();
        ctx_.status(kEntryRefusedText);
    }
    return result == EntryResult::Accepted;
}

void TvPage::OnCamFixedToggled() {
    if (shown_ == 0) return;
    const bool fixed = camFixed_->isChecked();
    if (!ctx_.session.Apply(
            {StepText(fixed ? "Fixed camera" : "Moving camera", set_, shown_), Place(shown_)},
            [&](CamDocument& doc) { SetCameraMode(doc, set_, shown_, fixed); }))
        ShowFields(OneField(TvField::Mode));
}

void TvPage::OnValueStepped(int field, std::int32_t position) {
    if (shown_ == 0) return;
    if (!ctx_.session.Apply(
            {FieldStep("Step", field), Place(shown_), field},
            [&](CamDocument& doc) { StepTvField(doc, set_, shown_, field, position); }))
        ShowFields(OneField(field));
}

void TvPage::RunSetOperation(const char* what,
                             const std::function<SetOperation(CamDocument&)>& operation) {
    SetOperation op;
    ctx_.session.Apply([&](CamDocument& doc) {
        op = operation(doc);
        return StepInfo{StepText(what, set_, shown_), Place(op.showCamera)};
    });
    if (!op.ok) {
        ctx_.beeper.Beep();
        ctx_.status(op.refusal);
    }
}

void TvPage::OnAddBeforeClicked() {
    RunSetOperation("Add Before", [this](CamDocument& doc) {
        return InsertCameraBefore(doc, set_, shown_, ctx_.settings.NewCameraDefaults);
    });
}

void TvPage::OnAddBehindClicked() {
    RunSetOperation("Add Behind", [this](CamDocument& doc) {
        return InsertCameraBehind(doc, set_, shown_, ctx_.settings.NewCameraDefaults);
    });
}

void TvPage::OnRemoveClicked() {
    // Ask only when there is something to remove; a refusal needs no question.
    if (ctx_.settings.SafetyRemove && ctx_.doc.Set(set_).Count() > 1 &&
        ctx_.boxes.Show(kSafetyTitle, kRemoveQuestion, BoxIcon::Exclamation,
                        BoxButtons::OkCancel) != BoxAnswer::Ok) {
        ctx_.status(kActionCanceledText);
        return;
    }
    RunSetOperation("Remove",
                    [this](CamDocument& doc) { return RemoveCurrentCamera(doc, set_, shown_); });
}

void TvPage::OnAssignToAllClicked(int field) {
    if (shown_ == 0) return;
    if (ctx_.settings.SafetyAssign &&
        ctx_.boxes.Show(kSafetyTitle, AssignQuestionText(set_), BoxIcon::Exclamation,
                        BoxButtons::OkCancel) != BoxAnswer::Ok) {
        ctx_.status(kActionCanceledText);
        return;
    }
    ctx_.session.Apply({FieldStep("Assign to all", field), Place(shown_)},
                       [&](CamDocument& doc) { AssignFieldToAll(doc, set_, field, shown_); });
    ctx_.status(kValuesCopiedText);
}

void TvPage::OnSelectionStepped(int value) {
    shown_ = value;
    currentCam_->Show(QString::number(value));
    ShowTvCamera();
}

void TvPage::OnCurrentCamCommitted() { SelectTypedCamera(); }

bool TvPage::SelectTypedCamera() {
    const int count = ctx_.doc.Set(set_).Count();
    if (count == 0) return true;
    const Selection selection = SelectCamera(currentCam_->text().toStdString(), count);
    if (!selection.ok) {
        currentCam_->Show(QString::number(shown_));
        if (selection.beep) ctx_.beeper.Beep();
        ctx_.status(selection.refusal);
        return false;
    }
    SetSpinnerValue(selection.camera);
    ShowTvCamera();
    return true;
}

void TvPage::OnTotalCamsCommitted() { GuardCount(); }

bool TvPage::GuardCount() {
    const int count = ctx_.doc.Set(set_).Count();
    if (auto refusal = CountFieldGuard(totalCams_->text().toStdString(), count)) {
        totalCams_->Show(QString::number(count));
        ctx_.beeper.Beep();
        ctx_.status(*refusal);
        return false;
    }
    return true;
}

void TvPage::OnOverviewCameraClicked(int number) {
    if (!CommitPendingEntry()) return;
    currentCam_->setText(QString::number(number));
    SelectTypedCamera();
}

bool TvPage::CommitPendingEntry() {
    // The window's focus widget, which stays the box while a context menu is open.
    auto* box = qobject_cast<EntryBox*>(window()->focusWidget());
    if (box == nullptr || !frame_->isAncestorOf(box)) return true;
    bool accepted = true;
    if (box == currentCam_) {
        accepted = SelectTypedCamera();
    } else if (box == totalCams_) {
        accepted = GuardCount();
    } else {
        for (int field = 0; field < kTvFieldCount; ++field) {
            if (box == CamData(field)) accepted = EnterField(field);
        }
    }
    // Leave the box: its later focus loss would enter its text once more, after a
    // paste into a camera it was never typed for.
    const QSignalBlocker quiet(box);
    overview_->setFocus(Qt::OtherFocusReason);
    return accepted;
}

void TvPage::OnCopyCamera() {
    if (!CommitPendingEntry() || shown_ == 0) return;
    const TvCamera& camera = ctx_.doc.Set(set_).Camera(shown_);
    QGuiApplication::clipboard()->setMimeData(CameraMimeData(set_, shown_, camera).release());
    ctx_.status(kCameraCopiedText);
}

void TvPage::OnPasteCameraBefore() { PasteCamera(Placement::Before); }

void TvPage::OnPasteCameraBehind() { PasteCamera(Placement::Behind); }

void TvPage::PasteCamera(Placement where) {
    if (!CommitPendingEntry()) return;
    const ClipboardCameras pasted = CamerasFromMimeData(QGuiApplication::clipboard()->mimeData());
    RunSetOperation(where == Placement::Before ? "Paste camera before" : "Paste camera behind",
                    [&](CamDocument& doc) {
                        if (pasted.Ok())
                            return PasteCameras(doc, set_, shown_, where, pasted.cameras);
                        SetOperation refused;
                        refused.refusal = pasted.refusal;
                        return refused;
                    });
}

bool TvPage::TakesCameraShortcut(const EntryBox& box, const QKeySequence& keys) const {
    // A selection is copied as text; with nothing selected there is no text to copy.
    if (keys == copyCamera_->shortcut()) return !box.hasSelectedText();
    // Camera rows are never a value of a box; other text is pasted into it as usual.
    if (keys == pasteBehind_->shortcut() || keys == pasteBefore_->shortcut()) {
        return HoldsCameras(QGuiApplication::clipboard()->mimeData());
    }
    return false;
}

bool TvPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* box = qobject_cast<EntryBox*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (box != nullptr && TakesCameraShortcut(*box, QKeySequence(key->keyCombination()))) {
            // Left unclaimed, the key runs the page's shortcut instead of the box's own.
            event->ignore();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vx
