// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/editor/editor_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>

#include "editing/camera_set_ops.h"
#include "editing/field_table.h"
#include "platform/beeper.h"
#include "platform/document_opener.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "remote/game_remote.h"
#include "settings/config_file.h"
#include "settings/config_folder.h"
#include "ui/editor/editor_texts.h"
#include "ui/editor/pitlane_page.h"
#include "ui/editor/tv_page.h"
#include "ui/widgets/entry_box.h"
#include "ui/widgets/text_fit.h"
#include "ui/widgets/undo_keys.h"
#include "ui/widgets/window_fit.h"

namespace vx {

namespace {

// The widest line the program writes into the status line: a refusal of insertion,
// or Undo naming the step with the longest field name.
QString LongestStatusLine(const QFontMetrics& metrics) {
    std::string longestField;
    for (int field = 0; field < kTvFieldCount; ++field) {
        const std::string name = FieldName(TvFieldInfo(SetId::TV1, field).label);
        if (name.size() > longestField.size()) longestField = name;
    }
    QString widest;
    for (const std::string& line :
         {HighestDistanceText(), MaximumReachedText(SetId::TV1), BeginningOfTrackText(),
          "Undone: " + StepText("Assign to all " + longestField, SetId::TV1, 255) + ". Ready."}) {
        const QString text = QString::fromStdString(line);
        if (metrics.horizontalAdvance(text) > metrics.horizontalAdvance(widest)) widest = text;
    }
    return widest;
}

double LogicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

}  // namespace

EditorWindow::EditorWindow(std::string programFolder, std::string commandLine,
                           EditorPlatform platform, QWidget* parent)
    : QWidget(parent),
      programFolder_(std::move(programFolder)),
      platform_(std::move(platform)),
      twips_(LogicalDpi()),
      context_{session_,
               session_.Document(),
               settings_,
               coverage_,
               platform_.boxes,
               platform_.beeper,
               [this](const std::string& text) { SetStatus(text); }} {
    canvas_ = MakeScrollingCanvas(*this);
    BuildControls();
    FitTextsToFont();
    BuildUndoRedo();
    BuildLoopControls();
    InstallDesktopConventions();
    platform_.remote.SetStatusLine([this](const std::string& text) { SetStatus(text); });
    StartUp(commandLine);
}

EditorWindow::~EditorWindow() { platform_.remote.SetStatusLine({}); }

void EditorWindow::BuildControls() {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromUtf8(kEditorWindowTitle));
    canvas_->setFixedSize(twips_(11055), twips_(7215 + kOverviewStripTwips));

    auto button = [this](const char* name, const char* caption, const char* tooltip, int top) {
        auto* b = new QPushButton(QString::fromUtf8(caption), canvas_);
        b->setObjectName(QString::fromUtf8(name));
        b->setToolTip(QString::fromUtf8(tooltip));
        b->setGeometry(twips_.Rect(9240, top, 1695, 375));
        b->setAutoDefault(false);
        return b;
    };
    load_ = button("cmdLoadCAMFile", "&Load", "Loads an existing CAM-file (Ctrl+O)", 120);
    save_ =
        button("cmdSaveCAMFile", "&Save", "Saves current shown data into a CAM-file (Ctrl+S)", 600);
    test_ = button("cmdTestCams", "&Test", "Launches GPL [and plays recorded script]", 1080);
    test_->setEnabled(false);
    options_ = button("cmdOptions", "&Options", "Opens the options dialogue", 1560);
    help_ = button("cmdHelp", "&Help", "Opens the online manual", 2040);
    exit_ = button("cmdExit", "E&xit", "Terminates Vistolarex", 2520);

    camData_ = new QTabWidget(canvas_);
    camData_->setObjectName(QStringLiteral("sstCamData"));
    camData_->setGeometry(twips_.Rect(120, 120, 9015, 6255 + kOverviewStripTwips));
    tv1_ = new TvPage(SetId::TV1, context_, twips_);
    tv2_ = new TvPage(SetId::TV2, context_, twips_);
    for (TvPage* page : {tv1_, tv2_}) {
        connect(page, &TvPage::coverageChoicesChanged, this, [this] {
            tv1_->RebuildOverview();
            tv2_->RebuildOverview();
        });
    }
    pit_ = new PitlanePage(context_, twips_);
    camData_->addTab(tv1_, QStringLiteral("TV&1-Cameras"));
    camData_->addTab(tv2_, QStringLiteral("TV&2-Cameras"));
    camData_->addTab(pit_, QStringLiteral("&Pitlane-Camera"));

    statusFrame_ = new QGroupBox(QString::fromUtf8(kStatusFrameCaption), canvas_);
    statusFrame_->setObjectName(QStringLiteral("frStatus"));
    statusFrame_->setGeometry(twips_.Rect(120, 6480 + kOverviewStripTwips, 10815, 615));
    statusLine_ = new QLineEdit(QString::fromUtf8(kWelcomeLine), statusFrame_);
    statusLine_->setObjectName(QStringLiteral("txtStatusLine"));
    statusLine_->setToolTip(QString::fromUtf8(kStatusLineTooltip));
    statusLine_->setAccessibleName(QString::fromUtf8(kStatusFrameCaption));
    statusLine_->setReadOnly(true);
    // 240, 6720 on the window, inside the frame at 120, 6480; both lie lower by the strip.
    statusLine_->setGeometry(twips_.Rect(240 - 120, 6720 - 6480, 10575, 285));
    ReserveRoomFor(*statusLine_, LongestStatusLine(statusLine_->fontMetrics()));

    QWidget::setTabOrder(load_, save_);
    QWidget::setTabOrder(save_, test_);
    QWidget::setTabOrder(test_, options_);
    QWidget::setTabOrder(options_, help_);
    QWidget::setTabOrder(help_, exit_);
    QWidget::setTabOrder(exit_, camData_);

    connect(load_, &QPushButton::clicked, this, [this] { OnLoadClicked(); });
    connect(save_, &QPushButton::clicked, this, [this] { OnSaveClicked(); });
    connect(test_, &QPushButton::clicked, this, [this] { OnTestCamsClicked(); });
    connect(options_, &QPushButton::clicked, this, [this] { OnOptionsClicked(); });
    connect(help_, &QPushButton::clicked, this, [this] { OnHelpClicked(); });
    connect(exit_, &QPushButton::clicked, this, [this] { OnExitClicked(); });
    load_->setFocus();
}

void EditorWindow::FitTextsToFont() {
    // The twips were designed for an 8-point font; a larger desktop font draws the
    // whole window larger by the factor its tightest text needs, so that nothing is
    // cut off and the proportions stay.
    const double scale = NeededScale(*canvas_);
    if (scale > 1.0) {
        for (QWidget* child : canvas_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            delete child;
        twips_ = Twips(twips_.Dpi() * scale);
        BuildControls();
    }
    // The window keeps that size, or what the screen holds of it; the frame cannot
    // resize it.
    FitWindowToScreen(*this, canvas_->size());
}

void EditorWindow::StartUp(const std::string& commandLine) {
    camPath_ = programFolder_;
    camFileName_.clear();
    platform_.fileDialog.SetFileName("");
    acceptOptions_ = false;
    if (!platform_.stateFolder.empty()) session_.KeepStateIn(StateFolder(platform_.stateFolder));
    session_.Reset(NewDocument);
    // Only now: a start-up cut short below leaves the pages as built, every row open.
    pagesFollow_ = true;

    configFolder_ = ChooseConfigFolder(programFolder_, platform_.configFallbackFolder);
    // A folder that cannot be made shows up as the path-not-found messages below.
    if (configFolder_ != programFolder_) MakeConfigFolder(configFolder_);
    const StartupConfig config = LoadConfigAtStartup(
        configFolder_, settings_, platform_.files, [this](const ConfigNotice& notice) {
            platform_.boxes.Show(notice.title, notice.text, BoxIcon::Exclamation, BoxButtons::Ok);
        });
    lastDebugMessage_ = config.lastDebugMessage;
    // Without a game folder the dialog starts in the program's folder, wherever the
    // configuration lives.
    if (settings_.HasGameFolder()) camPath_ = config.camPath;
    platform_.fileDialog.SetInitialFolder(camPath_);
    if (config.startupAborted) return;

    // The start-up document is what "unsaved" is measured against until a load or save.
    session_.Reset([this](CamDocument& doc) {
        NewDocument(doc);
        ApplyNewCameraDefaults(doc, settings_.NewCameraDefaults);
    });
    EnableTest();
    if (!commandLine.empty()) ReadCamFile(commandLine);
}

void EditorWindow::SetStatus(const std::string& text) {
    statusLine_->setText(QString::fromStdString(text));
}

std::string EditorWindow::StatusLine() const { return statusLine_->text().toStdString(); }

void EditorWindow::EnableTest() { test_->setEnabled(settings_.HasGameFolder()); }

void EditorWindow::OnTestCamsClicked() {
    if (session_.AskBeforeTest()) {
        enum { kSaveAndTest, kTestWithoutSaving, kCancel };
        const int answer = platform_.boxes.Choose(
            kSafetyTitle, kTestUnsavedQuestion, BoxIcon::Exclamation,
            {kSaveAndTestButton, kTestWithoutSavingButton, kCancelButton}, kSaveAndTest, kCancel);
        if (answer == kCancel) {
            SetStatus(kActionCanceledText);
            return;
        }
        if (answer == kSaveAndTest && !SaveForTest()) return;
    }
    // Only while the run lasts: otherwise Escape belongs to the boxes.
    const bool outer = !cancelRun_->isEnabled();
    cancelRun_->setEnabled(true);
    platform_.remote.TestFromEditor(settings_);
    if (outer) cancelRun_->setEnabled(false);
}

void EditorWindow::OnHelpClicked() { platform_.opener.Open(ManualPath()); }

void EditorWindow::OnOptionsClicked() {
    CopyAllButSignature(settings_, working_);
    OptionsContext options{working_,         platform_.boxes,  platform_.beeper,
                           platform_.opener, platform_.remote, ManualPath()};
    acceptOptions_ = platform_.runOptions(this, options);
    if (!acceptOptions_) {
        CopyAllButSignature(settings_, working_);
    } else {
        CopyAllButSignature(working_, settings_);
        const std::string path = configFolder_ + "/" + kConfigFileName;
        const WriteResult written = WriteConfigFile(path, settings_, platform_.files);
        if (!written.ok) {
            // The new options stay in effect; the user must learn they were not kept.
            platform_.boxes.Show(kErrorTitle,
                                 "The options could not be written to " + path + ": " +
                                     written.error.description + " - " +
                                     std::to_string(written.error.errorNumber) +
                                     "\r\nThey apply until Vistolarex is closed.",
                                 BoxIcon::Critical, BoxButtons::Ok);
        }
        if (settings_.HasGameFolder()) {
            camPath_ = settings_.GPLFolder + "/tracks";
            platform_.fileDialog.SetInitialFolder(camPath_);
        }
    }
    EnableTest();
}

bool EditorWindow::MayEnd() {
    if (!session_.AskBeforeExit(settings_)) return true;
    platform_.beeper.Beep();
    return platform_.boxes.Show(kSafetyTitle, kExitQuestion, BoxIcon::Exclamation,
                                BoxButtons::OkCancel) == BoxAnswer::Ok;
}

void EditorWindow::OnExitClicked() {
    // A run of the game remote waiting further up the stack ends first: nothing may
    // reach the desktop after the user chose to leave.
    platform_.remote.CancelRunning();
    if (!MayEnd()) return;
    exitConfirmed_ = true;
    ended_ = true;
    close();
}

void EditorWindow::BuildUndoRedo() {
    auto button = [this](const char* name, const char* caption, int top) {
        auto* b = new QPushButton(QString::fromUtf8(caption), canvas_);
        b->setObjectName(QString::fromUtf8(name));
        b->setGeometry(twips_.Rect(9240, top, 1695, 375));
        b->setAutoDefault(false);
        return b;
    };
    undo_ = button("cmdUndo", "&Undo", 3000);
    redo_ = button("cmdRedo", "&Redo", 3480);
    QWidget::setTabOrder(exit_, undo_);
    QWidget::setTabOrder(undo_, redo_);
    QWidget::setTabOrder(redo_, camData_);
    connect(undo_, &QPushButton::clicked, this, [this] { OnUndoClicked(); });
    connect(redo_, &QPushButton::clicked, this, [this] { OnRedoClicked(); });

    auto action = [this](const char* text, const QList<QKeySequence>& keys,
                         void (EditorWindow::*run)()) {
        auto* a = new QAction(QString::fromUtf8(text), this);
        a->setShortcuts(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, [this, run] { (this->*run)(); });
        addAction(a);
        return a;
    };
    undoAction_ = action("Undo", UndoKeys(), &EditorWindow::OnUndoClicked);
    redoAction_ = action("Redo", RedoKeys(), &EditorWindow::OnRedoClicked);
    // The same two entries close the TV pages' context menus.
    for (TvPage* page : {tv1_, tv2_}) {
        auto* separator = new QAction(page);
        separator->setSeparator(true);
        page->addAction(separator);
        page->addAction(undoAction_);
        page->addAction(redoAction_);
    }
    session_.Listen([this](const SessionChange& change) { OnSessionChanged(change); });
    UpdateUndoRedo();
}

void EditorWindow::UpdateUndoRedo() {
    const StepHistory& history = session_.History();
    const QString undoKey = UndoKeys().value(0).toString(QKeySequence::NativeText);
    const QString redoKey = RedoKeys().value(0).toString(QKeySequence::NativeText);
    const QString undoTip = history.CanUndo()
                                ? QStringLiteral("Undoes: %1 (%2)")
                                      .arg(QString::fromStdString(history.UndoText()), undoKey)
                                : QStringLiteral("Nothing to undo");
    const QString redoTip = history.CanRedo()
                                ? QStringLiteral("Redoes: %1 (%2)")
                                      .arg(QString::fromStdString(history.RedoText()), redoKey)
                                : QStringLiteral("Nothing to redo");
    undo_->setEnabled(history.CanUndo());
    redo_->setEnabled(history.CanRedo());
    undo_->setToolTip(undoTip);
    redo_->setToolTip(redoTip);
    undoAction_->setEnabled(history.CanUndo());
    redoAction_->setEnabled(history.CanRedo());
    undoAction_->setToolTip(undoTip);
    redoAction_->setToolTip(redoTip);
}

void EditorWindow::ShowTab(EditTab tab) {
    QWidget* page = tab == EditTab::Pitlane ? static_cast<QWidget*>(pit_)
                    : tab == EditTab::TV1   ? tv1_
                                            : tv2_;
    camData_->setCurrentWidget(page);
}

void EditorWindow::OnSessionChanged(const SessionChange& change) {
    // The lap length belongs to the file: a fresh or loaded document starts with its
    // own, a saved one takes its lap length along.
    if (change.cause == SessionChange::Cause::Replaced) coverage_.ForgetUnnamed();
    if (change.cause == SessionChange::Cause::Saved) {
        coverage_.FollowSave(coverageFile_, session_.CurrentFile());
    }
    coverageFile_ = session_.CurrentFile();
    if (pagesFollow_) {
        for (TvPage* page : {tv1_, tv2_}) page->NoteChange(change);
        pit_->NoteChange(change);
    } else {
        for (TvPage* page : {tv1_, tv2_}) page->RebuildOverview();
    }
    if (change.cause == SessionChange::Cause::Undo || change.cause == SessionChange::Cause::Redo)
        ShowTab(change.place.tab);
    UpdateUndoRedo();
    // Only a load, a restore or a save can change the current file.
    if (change.cause == SessionChange::Cause::Replaced ||
        change.cause == SessionChange::Cause::Saved)
        UpdateTitle();
    setWindowModified(session_.Unsaved());
    // The copy is written from the event loop, at most once a second.
    if (session_.RecoveryPending() && !recoveryTimer_->isActive()) recoveryTimer_->start();
}

void EditorWindow::OnUndoClicked() {
    // A value typed into a box counts as the last step, so it is the one taken back.
    CommitFocusedEntry();
    const std::string text = session_.Undo();
    if (!text.empty()) SetStatus(text);
}

void EditorWindow::OnRedoClicked() {
    CommitFocusedEntry();
    const std::string text = session_.Redo();
    if (!text.empty()) SetStatus(text);
}

void EditorWindow::CommitFocusedEntry() {
    // A value typed but not yet committed counts before the unsaved-data check.
    if (auto* entry = qobject_cast<EntryBox*>(QApplication::focusWidget());
        entry != nullptr && isAncestorOf(entry)) {
        emit entry->focusLost();
    }
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    if (exitConfirmed_) {
        EndOrderly();
        event->accept();
        return;
    }
    CommitFocusedEntry();
    platform_.remote.CancelRunning();
    if (!MayEnd()) {
        event->ignore();
        return;
    }
    ended_ = true;
    exitConfirmed_ = true;
    EndOrderly();
    event->accept();
}

void EditorWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    if (windowState() & Qt::WindowMaximized) {
        // Maximising returns to the normal state at the designed size.
        QTimer::singleShot(0, this,
                           [this] { setWindowState(windowState() & ~Qt::WindowMaximized); });
    }
}

}  // namespace vx
