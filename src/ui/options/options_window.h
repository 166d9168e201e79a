// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <vector>

#include "settings/settings.h"
#include "ui/options/options_dialog.h"

class QCheckBox;
class QFocusFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;

namespace vx {

class Twips;

// The options dialog (object name "frmOptions2"): every control writes into the working settings at
// once, so Cancel needs nothing from the dialog but its answer.
class OptionsWindow : public QDialog {
    Q_OBJECT

  public:
    // Runs the game-folder chooser on the working settings; replaceable for tests.
    using FolderChooser = std::function<void(QWidget* parent, Settings& working)>;

    explicit OptionsWindow(OptionsContext& context, QWidget* parent = nullptr,
                           FolderChooser chooser = {});
    ~OptionsWindow() override;

    // Every way of closing (OK, Cancel, Escape, the frame) ends a recording or test
    // run that is waiting inside one of the dialog's handlers.
    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct SingleSafety {
        QCheckBox* box;
        bool Settings::*flag;
    };

    void BuildGeneralTab(QWidget* page);
    void BuildEditingTab(QWidget* page);
    void BuildRemoteTab(QWidget* page);
    void BuildButtonColumn();
    // Sizes the dialog for the desktop's font, within the screen.
    void FitToFont();
    void PlaceFixedParts(const Twips& twips);
    QLineEdit* AddValueField(int k, const char* tooltip);

    void ShowWorkingSettings();
    void OnAllSafetyToggled(bool checked);
    void OnPlacementChosen(int index);
    void OnDefaultValueFocused(QLineEdit* field);
    void OnDefaultValueCommitted(int k);
    void OnFixedDefaultToggled(bool checked);
    void OnShutdownDelayMoved(int position);
    void OnChangeFolderClicked();
    void OnConfigureClicked();
    void OnTestClicked();
    void OnHelpClicked();
    void EnableForGameFolder();

    // Marks a remote run started by this dialog for as long as its handler runs: Record
    // and Test are disabled and a recording's progress is shown meanwhile.
    class RunHere {
      public:
        explicit RunHere(OptionsWindow& window);
        ~RunHere();
        RunHere(const RunHere&) = delete;
        RunHere& operator=(const RunHere&) = delete;

      private:
        OptionsWindow& window_;
        bool recordEnabled_;
        bool testEnabled_;
    };

    OptionsContext& context_;
    Settings& working_;
    bool runningHere_ = false;
    FolderChooser chooser_;

    QTabWidget* sstOptions_ = nullptr;
    QLabel* lblGPLFolder_ = nullptr;
    QCheckBox* chkAll_ = nullptr;
    std::vector<SingleSafety> singles_;  // in the order the loading sets them
    QCheckBox* chkInformation_ = nullptr;
    std::array<QRadioButton*, 2> optValue1_{};
    std::array<QLineEdit*, 12> txtDefaultValue_{};  // no field for the flag #5
    QCheckBox* chkValue5_ = nullptr;
    QCheckBox* chkFixedSwitchOver_ = nullptr;
    QPushButton* cmdConfigure_ = nullptr;
    QPushButton* cmdTest_ = nullptr;
    QLabel* lblRecording_ = nullptr;
    QCheckBox* chkPlayScript_ = nullptr;
    QScrollBar* hscShutdown_ = nullptr;
    QFocusFrame* shutdownFocus_ = nullptr;
    QWidget* canvas_ = nullptr;
    std::array<QPushButton*, 3> buttonColumn_{};
};

}  // namespace vx
