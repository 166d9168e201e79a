#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

#include "platform/beeper.h"
#include "platform/document_opener.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "remote/game_remote.h"
#include "settings/config_file.h"
#include "settings/config_folder.h"
#include "ui/entry_box.h"
#include "ui/main_window_texts.h"
#include "ui/pitlane_page.h"
#include "ui/tv_page.h"

namespace vx {

namespace {

double LogicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

}  // namespace

FrmMain::FrmMain(std::string programFolder, std::string commandLine, EditorPlatform platform,
                 QWidget* parent)
    : QWidget(parent),
      programFolder_(std::move(programFolder)),
      platform_(std::move(platform)),
      twips_(LogicalDpi()),
      context_{doc_, settings_, platform_.boxes, platform_.beeper,
               [this](const std::string& text) { SetStatus(text); }} {
    BuildControls();
    InstallDesktopConventions();
    platform_.remote.SetStatusLine([this](const std::string& text) { SetStatus(text); });
    FormLoad(commandLine);
}

FrmMain::~FrmMain() { platform_.remote.SetStatusLine({}); }

void FrmMain::BuildControls() {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromUtf8(kMainWindowTitle));
    // The window keeps its designed size; the frame cannot resize it.
    setFixedSize(twips_(11055), twips_(7215 + kOverviewStripTwips));

    auto button = [this](const char* name, const char* caption, const char* tooltip, int top) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromUtf8(name));
        b->setToolTip(QString::fromUtf8(tooltip));
        b->setGeometry(twips_.Rect(9240, top, 1695, 375));
        b->setAutoDefault(false);
        return b;
    };
    load_ = button("cmdLoadCAMFile", "Load", "Loads an existing CAM-file (Ctrl+O)", 120);
    save_ =
        button("cmdSaveCAMFile", "Save", "Saves current shown data into a CAM-file (Ctrl+S)", 600);
    test_ = button("cmdTestCams", "Test", "Launches GPL [and plays recorded script]", 1080);
    test_->setEnabled(false);
    options_ = button("cmdOptions", "Options", "Opens the options dialogue", 1560);
    help_ = button("cmdHelp", "Help", "Opens the online manual", 2040);
    exit_ = button("cmdExit", "Exit", "Terminates Vistolarex", 2520);

    camData_ = new QTabWidget(this);
    camData_->setObjectName(QStringLiteral("sstCamData"));
    camData_->setGeometry(twips_.Rect(120, 120, 9015, 6255 + kOverviewStripTwips));
    tv1_ = new TvPage(SetId::TV1, context_, twips_);
    tv2_ = new TvPage(SetId::TV2, context_, twips_);
    pit_ = new PitlanePage(context_, twips_);
    camData_->addTab(tv1_, QStringLiteral("TV1-Cameras"));
    camData_->addTab(tv2_, QStringLiteral("TV2-Cameras"));
    camData_->addTab(pit_, QStringLiteral("Pitlane-Camera"));

    statusFrame_ = new QGroupBox(QString::fromUtf8(kStatusFrameCaption), this);
    statusFrame_->setObjectName(QStringLiteral("frStatus"));
    statusFrame_->setGeometry(twips_.Rect(120, 6480 + kOverviewStripTwips, 10815, 615));
    statusLine_ = new QLineEdit(QString::fromUtf8(kWelcomeLine), statusFrame_);
    statusLine_->setObjectName(QStringLiteral("txtStatusLine"));
    statusLine_->setToolTip(QString::fromUtf8(kStatusLineTooltip));
    statusLine_->setAccessibleName(QString::fromUtf8(kStatusFrameCaption));
    statusLine_->setReadOnly(true);
    // 240, 6720 on the window, inside the frame at 120, 6480; both lie lower by the strip.
    statusLine_->setGeometry(twips_.Rect(240 - 120, 6720 - 6480, 10575, 285));

    QWidget::setTabOrder(load_, save_);
    QWidget::setTabOrder(save_, test_);
    QWidget::setTabOrder(test_, options_);
    QWidget::setTabOrder(options_, help_);
    QWidget::setTabOrder(help_, exit_);
    QWidget::setTabOrder(exit_, camData_);

    connect(load_, &QPushButton::clicked, this, [this] { cmdLoadCAMFile_Click(); });
    connect(save_, &QPushButton::clicked, this, [this] { cmdSaveCAMFile_Click(); });
    connect(test_, &QPushButton::clicked, this, [this] { cmdTestCams_Click(); });
    connect(options_, &QPushButton::clicked, this, [this] { cmdOptions_Click(); });
    connect(help_, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(exit_, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    load_->setFocus();
}

void FrmMain::FormLoad(const std::string& commandLine) {
    camPath_ = programFolder_;
    camFileName_.clear();
    platform_.fileDialog.SetFileName("");
    acceptOptions_ = false;
    NewDocument(doc_);

    configFolder_ = ChooseConfigFolder(programFolder_, platform_.configFallbackFolder);
    // A folder that cannot be made shows up as the path-not-found messages below.
    if (configFolder_ != programFolder_) MakeConfigFolder(configFolder_);
    const StartupConfig config = LoadConfigAtStartup(
        configFolder_, settings_, platform_.files, [this](const ConfigNotice& notice) {
            platform_.boxes.Show(notice.title, notice.text, BoxIcon::Exclamation, BoxButtons::Ok);
        });
    fehlermeldung_ = config.fehlermeldung;
    // Without a game folder the dialog starts in the program's folder, wherever the
    // configuration lives.
    if (settings_.HasGameFolder()) camPath_ = config.camPath;
    platform_.fileDialog.SetInitialFolder(camPath_);
    if (config.startupAborted) return;

    ApplyNewCameraDefaults(doc_, settings_.NewCameraDefaults);
    tv1_->ShowTvCamera();
    tv2_->ShowTvCamera();
    pit_->ShowPitlaneCamera();
    EnableTest();
    doc_.DataSaved = true;
    if (!commandLine.empty()) ReadCamFile(commandLine);
}

void FrmMain::SetStatus(const std::string& text) {
    statusLine_->setText(QString::fromStdString(text));
}

std::string FrmMain::StatusLine() const { return statusLine_->text().toStdString(); }

void FrmMain::EnableTest() { test_->setEnabled(settings_.HasGameFolder()); }

void FrmMain::cmdTestCams_Click() { platform_.remote.TestFromEditor(settings_); }

void FrmMain::cmdHelp_Click() { platform_.opener.Open(ManualPath()); }

void FrmMain::cmdOptions_Click() {
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

bool FrmMain::MayEnd() {
    if (doc_.DataSaved || !settings_.SafetyExit) return true;
    platform_.beeper.Beep();
    return platform_.boxes.Show(kSafetyTitle, kExitQuestion, BoxIcon::Exclamation,
                                BoxButtons::OkCancel) == BoxAnswer::Ok;
}

void FrmMain::cmdExit_Click() {
    // A run of the game remote waiting further up the stack ends first: nothing may
    // reach the desktop after the user chose to leave.
    platform_.remote.CancelRunning();
    if (!MayEnd()) return;
    exitConfirmed_ = true;
    ended_ = true;
    close();
}

void FrmMain::CommitFocusedEntry() {
    // A value typed but not yet committed counts before the unsaved-data check.
    if (auto* entry = qobject_cast<EntryBox*>(QApplication::focusWidget());
        entry != nullptr && isAncestorOf(entry)) {
        emit entry->focusLost();
    }
}

void FrmMain::closeEvent(QCloseEvent* event) {
    if (exitConfirmed_) {
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
    event->accept();
}

void FrmMain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    if (windowState() & Qt::WindowMaximized) {
        // Maximising returns to the normal state at the designed size.
        QTimer::singleShot(0, this,
                           [this] { setWindowState(windowState() & ~Qt::WindowMaximized); });
    }
}

}  // namespace vx
