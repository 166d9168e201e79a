// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/options/options_window.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFocusFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>

#include "editing/camera_defaults_entry.h"
#include "platform/beeper.h"
#include "platform/document_opener.h"
#include "remote/game_remote.h"
#include "ui/options/game_folder_dialog.h"
#include "ui/options/options_geometry.h"
#include "ui/options/shutdown_bar.h"
#include "ui/widgets/text_fit.h"
#include "ui/widgets/twips.h"
#include "ui/widgets/window_fit.h"

namespace vx {

namespace {

std::size_t Slot(int k) { return static_cast<std::size_t>(k); }

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

OptionsWindow::OptionsWindow(OptionsContext& context, QWidget* parent, FolderChooser chooser)
    : QDialog(parent),
      context_(context),
      working_(context.working),
      chooser_(chooser ? std::move(chooser) : FolderChooser(RunGameFolderDialog)) {
    setObjectName("frmOptions2");
    setWindowTitle("Vistolarex: Options");
    setModal(true);
    canvas_ = MakeScrollingCanvas(*this);

    sstOptions_ = new QTabWidget(canvas_);
    sstOptions_->setObjectName("sstOptions");
    auto addPage = [this](const char* name, const char* title) {
        auto* page = new QWidget;
        page->setObjectName(name);
        sstOptions_->addTab(page, title);
        return page;
    };
    BuildGeneralTab(addPage("frGeneral", "&General"));
    BuildEditingTab(addPage("frCameras", "&Editing"));
    BuildRemoteTab(addPage("frBatchMode", "GPL &remote"));
    BuildButtonColumn();
    FitToFont();

    ShowWorkingSettings();
    CentreOnScreen(*this);
}

void OptionsWindow::PlaceFixedParts(const Twips& twips) {
    canvas_->setFixedSize(twips(9855), twips(6135));
    sstOptions_->setGeometry(twips.Rect(120, 120, 7815, 5895));
    int top = 120;
    for (QPushButton* button : buttonColumn_) {
        button->setGeometry(twips.Rect(8040, top, 1695, 375));
        top += 480;
    }
}

void OptionsWindow::FitToFont() {
    // Laid out for an 8-point font: a larger one draws the dialog larger in proportion,
    // and larger still where the tabs' layouts need more room than that.
    const Twips grown(logicalDpiX() * FontGrowth(*this));
    PlaceFixedParts(grown);
    const QSize needed = sstOptions_->minimumSizeHint();
    const double more = std::max({1.0, double(needed.width()) / sstOptions_->width(),
                                  double(needed.height()) / sstOptions_->height()});
    if (more > 1.0) PlaceFixedParts(Twips(grown.Dpi() * more));
    FitWindowToScreen(*this, canvas_->size());
}

OptionsWindow::~OptionsWindow() {
    // The fields lose the focus while the dialog is torn down; no entry may run then.
    for (QLineEdit* field : txtDefaultValue_) {
        if (field) field->removeEventFilter(this);
    }
}

void OptionsWindow::ShowWorkingSettings() {
    context_.remote.RenewMouseDriver();

    if (!working_.SafetyAll) {
        chkAll_->setChecked(false);
        OnAllSafetyToggled(false);
    } else {
        // Not the master rule: the single requests keep their own values.
        chkAll_->setChecked(true);
        for (const SingleSafety& single : singles_) single.box->setChecked(working_.*single.flag);
    }

    chkInformation_->setChecked(working_.ShowInformation);
    chkFixedSwitchOver_->setChecked(working_.FixedSwitchOver);
    lblGPLFolder_->setText(DisplayPath(working_.GPLFolder));
    lblGPLFolder_->setToolTip(DisplayPath(working_.GPLFolder));

    const int placement = IsMiddlePlacement(working_.NewCameraDefaults) ? 0 : 1;
    optValue1_[Slot(placement)]->setChecked(true);
    OnPlacementChosen(placement);
    if (placement == 0) txtDefaultValue_[Slot(kPlacementValue)]->setText(kDefaultDistanceText);

    for (int k = 1; k < kDefaultValueCount; ++k) {
        if (k == kFixedFlagValue) {
            chkValue5_->setChecked(working_.NewCameraDefaults[Slot(k)] != 0);
            continue;
        }
        txtDefaultValue_[Slot(k)]->setText(
            Text(DefaultValueLoadText(working_.NewCameraDefaults, k)));
    }

    EnableForGameFolder();
    const bool haveScript = working_.ClickCount > 0;
    chkPlayScript_->setEnabled(haveScript);
    cmdTest_->setEnabled(haveScript);

    {
        // Showing a delay is no change of it; one outside the bar's range stays stored.
        const QSignalBlocker quiet(hscShutdown_);
        hscShutdown_->setValue(ShutdownBarPosition(working_.ShutdownDelay));
    }
    chkPlayScript_->setChecked(working_.PlayScript);
}

void OptionsWindow::OnAllSafetyToggled(bool checked) {
    if (!checked) {
        for (const SingleSafety& single : singles_) {
            single.box->setChecked(false);
            working_.*single.flag = false;
        }
        for (const SingleSafety& single : singles_) single.box->setEnabled(false);
        working_.SafetyAll = false;
        return;
    }
    for (const SingleSafety& single : singles_) single.box->setEnabled(true);
    for (const SingleSafety& single : singles_) {
        single.box->setChecked(true);
        working_.*single.flag = true;
    }
    working_.SafetyAll = true;
}

void OptionsWindow::OnPlacementChosen(int index) {
    QLineEdit* distance = txtDefaultValue_[Slot(kPlacementValue)];
    if (index == 0) {
        distance->setEnabled(false);
        ChooseMiddlePlacement(working_.NewCameraDefaults);
        return;
    }
    distance->setEnabled(true);
    distance->setText(Text(ChooseDistancePlacement(working_.NewCameraDefaults)));
}

void OptionsWindow::OnDefaultValueFocused(QLineEdit* field) {
    field->selectAll();
    // A mouse click places the cursor after the focus arrives; select again behind it.
    QTimer::singleShot(0, field, &QLineEdit::selectAll);
}

void OptionsWindow::OnDefaultValueCommitted(int k) {
    QLineEdit* field = txtDefaultValue_[Slot(k)];
    if (EnterDefaultValue(working_.NewCameraDefaults, k, field->text().toStdString())) return;
    context_.beeper.Beep();
    field->setText(Text(DefaultValueRestoreText(working_.NewCameraDefaults, k)));
}

void OptionsWindow::OnFixedDefaultToggled(bool checked) {
    working_.NewCameraDefaults[Slot(kFixedFlagValue)] = checked ? 1u : 0u;
}

void OptionsWindow::OnShutdownDelayMoved(int position) {
    working_.ShutdownDelay = ShutdownDelayAt(position);
}

void OptionsWindow::OnChangeFolderClicked() {
    chooser_(this, working_);
    lblGPLFolder_->setText(DisplayPath(working_.GPLFolder));
    lblGPLFolder_->setToolTip(DisplayPath(working_.GPLFolder));
    EnableForGameFolder();
}

OptionsWindow::RunHere::RunHere(OptionsWindow& window)
    : window_(window),
      recordEnabled_(window.cmdConfigure_->isEnabled()),
      testEnabled_(window.cmdTest_->isEnabled()) {
    window_.runningHere_ = true;
    window_.cmdConfigure_->setEnabled(false);
    window_.cmdTest_->setEnabled(false);
    window_.context_.remote.SetRecordingLine(
        [label = window_.lblRecording_](const std::string& text) {
            label->setText(QString::fromStdString(text));
        });
}

OptionsWindow::RunHere::~RunHere() {
    window_.runningHere_ = false;
    window_.context_.remote.SetRecordingLine({});
    window_.lblRecording_->clear();
    window_.cmdConfigure_->setEnabled(recordEnabled_);
    window_.cmdTest_->setEnabled(testEnabled_);
}

void OptionsWindow::OnConfigureClicked() {
    {
        const RunHere mark(*this);
        if (!context_.remote.RecordScript(working_)) return;
    }
    cmdTest_->setEnabled(true);
    chkPlayScript_->setEnabled(true);
}

void OptionsWindow::OnTestClicked() {
    const RunHere mark(*this);
    context_.remote.TestScript(working_);
}

void OptionsWindow::done(int result) {
    // Only a run of this dialog: the editor's Test may be waiting further down.
    if (runningHere_) context_.remote.CancelRunning();
    QDialog::done(result);
}

void OptionsWindow::OnHelpClicked() { context_.opener.Open(context_.manualPath); }

void OptionsWindow::EnableForGameFolder() {
    const bool haveGame = working_.HasGameFolder();
    cmdConfigure_->setEnabled(haveGame);
    hscShutdown_->setEnabled(haveGame);
}

bool OptionsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == hscShutdown_ &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        shutdownFocus_->setWidget(event->type() == QEvent::FocusIn ? hscShutdown_ : nullptr);
    }
    if (watched == hscShutdown_ && event->type() == QEvent::KeyPress) {
        // A scroll bar inverts its controls for the wheel's sake, which turns its arrow
        // keys round as well: Right must move the box to the right.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right) {
            hscShutdown_->triggerAction(key == Qt::Key_Right
                                            ? QAbstractSlider::SliderSingleStepAdd
                                            : QAbstractSlider::SliderSingleStepSub);
            return true;
        }
    }
    for (int k = 0; k < kDefaultValueCount; ++k) {
        QLineEdit* field = txtDefaultValue_[Slot(k)];
        if (!field || watched != field) continue;
        if (event->type() == QEvent::FocusIn) {
            OnDefaultValueFocused(field);
        } else if (event->type() == QEvent::FocusOut) {
            // Switching to another application or opening the field's context menu is
            // no leaving of the field.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                OnDefaultValueCommitted(k);
            }
        }
        break;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace vx
