// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "document/cam_document.h"
#include "document/file_layer.h"
#include "document/read_file_prefix.h"
#include "session/document_session.h"
#include "settings/settings.h"
#include "ui/editor/editor_context.h"
#include "ui/options/options_dialog.h"
#include "ui/widgets/twips.h"

class QGroupBox;
class QAction;
class QLineEdit;
class QPushButton;
class QShortcut;
class QTabWidget;
class QTimer;

namespace vx {

class Beeper;
class ChangedOnDiskBar;
class DocumentOpener;
class FileWatch;
class FileDialog;
class GameRemote;
class MessageBoxes;
class PitlanePage;
class TvPage;

// Everything the editor window hands to the desktop or the world; tests script it.
struct EditorPlatform {
    MessageBoxes& boxes;
    Beeper& beeper;
    FileDialog& fileDialog;
    DocumentOpener& opener;
    GameRemote& remote;
    FileLayer& files = SystemFileLayer();
    std::function<bool(QWidget*, OptionsContext&)> runOptions = RunOptionsDialog;
    // Where Vistolarex.cfg goes for an installed copy or when the program's folder
    // is not writable (the user's configuration folder); empty keeps it in the
    // program's folder.
    std::string configFallbackFolder = {};
    // The user's state folder (recent files, recovery files); empty keeps none.
    std::string stateFolder = {};
};

// The editor window (object name "frmMain"). Control object names are the
// control names; arrays indexed by field number carry the index after an
// underscore (txtTV1CamData_0, UpDownValuePit_12, cmdAssignToAllTV2_11), see
// TvPage and PitlanePage.
class EditorWindow : public QWidget {
    Q_OBJECT
  public:
    // Runs the start-up: programFolder holds Vistolarex.cfg and the manual, and a
    // non-empty commandLine names a CAM file to load at its end.
    EditorWindow(std::string programFolder, std::string commandLine, EditorPlatform platform,
                 QWidget* parent = nullptr);
    ~EditorWindow() override;

    const CamDocument& Document() const { return session_.Document(); }
    const DocumentSession& Session() const { return session_; }
    const Settings& LiveSettings() const { return settings_; }
    const Settings& WorkingSettings() const { return working_; }
    const std::string& ProgramFolder() const { return programFolder_; }
    // The folder of Vistolarex.cfg, chosen once at start-up.
    const std::string& ConfigFolder() const { return configFolder_; }
    // The online manual that both Help buttons open.
    std::string ManualPath() const;
    const std::string& CAMFileName() const { return camFileName_; }
    const std::string& CAMPath() const { return camPath_; }
    bool AcceptOptions() const { return acceptOptions_; }
    const std::string& LastDebugMessage() const { return lastDebugMessage_; }
    // True once the program has been told to end (Exit, or the frame's close).
    bool Ended() const { return ended_; }

    // Loads the named file into the document and reports in the status line.
    void ReadCamFile(const std::string& name);

    void OnLoadClicked();
    void OnSaveClicked();
    void OnTestCamsClicked();
    void OnOptionsClicked();
    void OnHelpClicked();
    void OnExitClicked();
    // Take back / do again the last step on the document (also Ctrl+Z, Ctrl+Shift+Z,
    // Ctrl+Y and the TV pages' context menus).
    void OnUndoClicked();
    void OnRedoClicked();
    // The recent files, from the Load button's context menu and Alt+Down on it.
    void ShowRecentMenu();
    void LoadRecentFile(const std::string& path);

    // Asks about the unsaved changes of instances that ended without an orderly
    // exit, one after the other; once the window is up.
    void OfferRecoveries();
    // An orderly end (Exit, the frame, the desktop's logout): no recovery file stays.
    void EndOrderly();
    ChangedOnDiskBar& ChangedBar() const { return *changedBar_; }

    void SetStatus(const std::string& text);
    std::string StatusLine() const;

    TvPage& Tv1Page() const { return *tv1_; }
    TvPage& Tv2Page() const { return *tv2_; }
    TvPage& Page(SetId set) const { return set == SetId::TV1 ? *tv1_ : *tv2_; }
    PitlanePage& PitPage() const { return *pit_; }
    QTabWidget* CamData() const { return camData_; }
    QPushButton* UndoButton() const { return undo_; }
    QPushButton* RedoButton() const { return redo_; }
    QAction* UndoAction() const { return undoAction_; }
    QAction* RedoAction() const { return redoAction_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    // A dropped local file is loaded as if it had been picked in the Load dialog.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void BuildControls();
    // Builds the controls again, larger, when the font needs more room than designed.
    void FitTextsToFont();
    void BuildUndoRedo();
    // Buttons, actions and tooltips as the history stands.
    void UpdateUndoRedo();
    // Puts the page of an undone or redone step on screen; the page shows its camera.
    void ShowTab(EditTab tab);
    void OnSessionChanged(const SessionChange& change);
    // Drops, the Ctrl+O / Ctrl+S keys and Escape for a running Test.
    void InstallDesktopConventions();
    // The SafetyLoad question; false (status line written) when the user cancels.
    bool ConfirmLoad();
    // CAMFileName, CAMPath and the dialog as after a pick in the dialog, then the read.
    void LoadChosenFile(const std::string& path);
    void LoadDroppedFile(const std::string& path);
    void StartUp(const std::string& commandLine);
    // The Exit logic: true when the program may end.
    bool MayEnd();
    void CommitFocusedEntry();
    void EnableTest();
    void ShowRuntimeError(const IoError& error);
    // Shows the session's question before a save; false (status line written) when
    // the user cancels.
    bool ConfirmSave(SaveQuestion question);
    bool SaveWithDialog();
    // Writes the document to path and reports; true on success.
    bool SaveTo(const std::string& path);
    // "Save and Test": to the current file without the dialog where there is one.
    bool SaveForTest();
    void BuildLoopControls();
    // Title, unsaved mark, file path and the watch on the current file.
    void UpdateTitle();
    void OnCurrentFileTouched();
    void OnReloadChosen();
    // One recovery file's question, Show changes as often as asked.
    void OfferRecovery(OrphanedRecovery& recovery);
    void ShowRecoveredChanges(const RecoveredDocument& recovered);

    std::string programFolder_;
    std::string configFolder_;
    EditorPlatform platform_;
    DocumentSession session_;
    Settings settings_;
    CoveragePreferences coverage_;
    // The file of the document as the strips last knew it, so that a lap length given
    // before the first save goes with the file.
    std::string coverageFile_;
    Settings working_;
    std::string camFileName_;
    std::string camPath_;
    bool acceptOptions_ = false;
    std::string lastDebugMessage_;
    bool ended_ = false;
    bool exitConfirmed_ = false;
    // The pages redraw from the session's changes once start-up has made its first
    // document.
    bool pagesFollow_ = false;
    Twips twips_;
    EditorContext context_;

    QPushButton* load_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* test_ = nullptr;
    QPushButton* options_ = nullptr;
    QPushButton* help_ = nullptr;
    QPushButton* exit_ = nullptr;
    QPushButton* undo_ = nullptr;
    QPushButton* redo_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    // Holds every control; it scrolls inside the window where the screen is too small.
    QWidget* canvas_ = nullptr;
    QTabWidget* camData_ = nullptr;
    QGroupBox* statusFrame_ = nullptr;
    QLineEdit* statusLine_ = nullptr;
    // Escape while this window's Test runs: the run ends, nothing more is sent.
    QShortcut* cancelRun_ = nullptr;
    TvPage* tv1_ = nullptr;
    TvPage* tv2_ = nullptr;
    PitlanePage* pit_ = nullptr;
    QTimer* recoveryTimer_ = nullptr;
    FileWatch* fileWatch_ = nullptr;
    ChangedOnDiskBar* changedBar_ = nullptr;
    std::string watchedFile_;
};

}  // namespace vx
