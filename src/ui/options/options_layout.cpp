// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The controls of frmOptions2, placed as the window designer laid them out.
#include <QCheckBox>
#include <QFocusFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include "editing/camera_defaults_entry.h"
#include "ui/options/options_window.h"
#include "ui/options/shutdown_bar.h"
#include "ui/widgets/elided_label.h"
#include "ui/widgets/entry_box.h"

namespace vx {

namespace {

constexpr const char* kSingleSafetyTip = "Click to toggle this special safety request";
constexpr int kIndent = 12;
constexpr int kValueFieldWidth = 80;

QLabel* AddLabel(QWidget* parent, const char* name, const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(name);
    return label;
}

QCheckBox* AddCheckBox(QWidget* parent, const char* name, const char* caption,
                       const char* tooltip) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(name);
    box->setToolTip(QString::fromUtf8(tooltip));
    return box;
}

QPushButton* AddButton(QWidget* parent, const char* name, const char* caption,
                       const char* tooltip) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setToolTip(QString::fromUtf8(tooltip));
    // Enter in a value field must not close the dialog behind the user's back.
    button->setAutoDefault(false);
    return button;
}

QVBoxLayout* CompactColumn(QWidget* page) {
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(4, 6, 4, 6);
    column->setSpacing(2);
    return column;
}

}  // namespace

void OptionsWindow::BuildGeneralTab(QWidget* page) {
    auto* column = CompactColumn(page);
    column->addWidget(AddLabel(page, "lblGPLFolderDescription", "Folder where GPL is installed:"));
    auto* folderRow = new QHBoxLayout;
    lblGPLFolder_ = new ElidedLabel(QString::fromUtf8(kNoGameFolder), page);
    lblGPLFolder_->setObjectName("lblGPLFolder");
    lblGPLFolder_->setTextFormat(Qt::PlainText);
    // A long path is elided in its middle rather than pushing the button out of the tab.
    lblGPLFolder_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    folderRow->addWidget(lblGPLFolder_, 1);
    auto* cmdChange = AddButton(page, "cmdChange", "Ch&ange",
                                "Click to choose or change the path to the file gpl.exe");
    connect(cmdChange, &QPushButton::clicked, this, [this] { OnChangeFolderClicked(); });
    folderRow->addWidget(cmdChange);
    column->addLayout(folderRow);

    column->addWidget(AddLabel(page, "lblSafety", "Safety settings:"));
    chkAll_ =
        AddCheckBox(page, "chkAll", "Show safety requests", "Click to toggle all safety requests");
    connect(chkAll_, &QCheckBox::clicked, this,
            [this](bool checked) { OnAllSafetyToggled(checked); });
    column->addWidget(chkAll_);

    struct Single {
        const char* name;
        const char* caption;
        bool Settings::*flag;
    };
    // Shown in this order; loaded in the order of `singles_` below.
    const Single shown[] = {
        {"chkAssign", "Show safety request when clicking an \"Assign to all\"-button",
         &Settings::SafetyAssign},
        {"chkExit", "Show safety request before exiting with unsaved data in memory",
         &Settings::SafetyExit},
        {"chkRemove", "Show safety request before removing a camera", &Settings::SafetyRemove},
        {"chkConfigure",
         "Show safety request before recording a new script in the \"GPL remote\"-options",
         &Settings::SafetyConfigure},
        {"chkSafe", "Show safety request before overwriting an existing file",
         &Settings::SafetyOverwrite},
        {"chkLoad",
         "Show safety request when clicking on the \"Load\"-button with unsaved data in memory",
         &Settings::SafetyLoad},
    };
    auto* singleColumn = new QVBoxLayout;
    singleColumn->setContentsMargins(kIndent, 0, 0, 0);
    singleColumn->setSpacing(2);
    std::vector<SingleSafety> built;
    for (const Single& single : shown) {
        QCheckBox* box = AddCheckBox(page, single.name, single.caption, kSingleSafetyTip);
        bool Settings::*flag = single.flag;
        connect(box, &QCheckBox::clicked, this,
                [this, flag](bool checked) { working_.*flag = checked; });
        singleColumn->addWidget(box);
        built.push_back({box, flag});
    }
    column->addLayout(singleColumn);
    const bool Settings::*loadOrder[] = {&Settings::SafetyAssign,    &Settings::SafetyConfigure,
                                         &Settings::SafetyExit,      &Settings::SafetyRemove,
                                         &Settings::SafetyOverwrite, &Settings::SafetyLoad};
    for (auto flag : loadOrder) {
        for (const SingleSafety& single : built) {
            if (single.flag == flag) singles_.push_back(single);
        }
    }

    column->addWidget(AddLabel(page, "lblInformation", "Informations:"));
    chkInformation_ = AddCheckBox(page, "chkInformation", "Show informational windows",
                                  "Click to toggle all informational windows");
    connect(chkInformation_, &QCheckBox::clicked, this,
            [this](bool checked) { working_.ShowInformation = checked; });
    column->addWidget(chkInformation_);
    column->addStretch(1);
}

QLineEdit* OptionsWindow::AddValueField(int k, const char* tooltip) {
    auto* field = new QLineEdit;
    field->setObjectName(QStringLiteral("txtDefaultValue_%1").arg(k));
    field->setToolTip(QString::fromUtf8(tooltip));
    field->setAlignment(Qt::AlignRight);
    field->setFixedWidth(kValueFieldWidth);
    field->installEventFilter(this);
    txtDefaultValue_.at(static_cast<std::size_t>(k)) = field;
    return field;
}

void OptionsWindow::BuildEditingTab(QWidget* page) {
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(1);
    auto* intro =
        AddLabel(page, "lblNewCamera",
                 "When adding a new camera or at startup, use the following values as default:");
    intro->setWordWrap(true);
    grid->addWidget(intro, 0, 0, 1, 3);

    auto valueLabel = [page](int k) {
        auto* label = new QLabel(QStringLiteral("Camera value #%1:").arg(k + 1), page);
        label->setObjectName(QStringLiteral("lblValue_%1").arg(k));
        return label;
    };
    auto unitLabel = [page](int k, const char* unit) {
        auto* label = new QLabel(QString::fromUtf8(unit), page);
        label->setObjectName(QStringLiteral("lblUnit_%1").arg(k));
        return label;
    };

    // The placement captions are long: they take the whole width below their label.
    grid->addWidget(valueLabel(0), 1, 0);
    auto* middleRow = new QHBoxLayout;
    middleRow->setContentsMargins(kIndent, 0, 0, 0);
    optValue1_[0] = new QRadioButton(
        "Place new camera in the middle between the one before and the one after", page);
    optValue1_[0]->setObjectName("optValue1_0");
    middleRow->addWidget(optValue1_[0]);
    middleRow->addStretch(1);
    grid->addLayout(middleRow, 2, 0, 1, 3);
    auto* distanceRow = new QHBoxLayout;
    distanceRow->setContentsMargins(kIndent, 0, 0, 0);
    optValue1_[1] = new QRadioButton("Place new camera", page);
    optValue1_[1]->setObjectName("optValue1_1");
    distanceRow->addWidget(optValue1_[1]);
    QLineEdit* distance = AddValueField(0, "Enter a number between 0 and 1000");
    distanceRow->addWidget(distance);
    QLabel* distanceUnit =
        AddLabel(page, "lblValue1a", "[m] before/behind the currently shown camera");
    distanceRow->addWidget(distanceUnit);
    NameAfterLabel(distanceUnit, distance);
    distance->setAccessibleName(optValue1_[1]->text() + ' ' + distance->accessibleName());
    distanceRow->addStretch(1);
    grid->addLayout(distanceRow, 3, 0, 1, 3);
    for (int index = 0; index < 2; ++index) {
        connect(optValue1_[static_cast<std::size_t>(index)], &QRadioButton::clicked, this,
                [this, index] { OnPlacementChosen(index); });
    }

    struct Row {
        const char* unit;
        const char* tooltip;
    };
    const Row rows[kDefaultValueCount] = {
        {nullptr, nullptr},
        {"[m]", "Enter a number between -200 and 200"},
        {"[m]", "Enter a number between 0 and 200"},
        {"[m]", "Enter a number between -10000 and 10000"},
        {nullptr, nullptr},
        {"[-]", "Enter a number between 0.001 and 10"},
        {"[-]", "Enter a number between 0.001 and 10"},
        {"[-]", "Enter a number between 0.001 and 10"},
        {"[°]", "Enter a number between -180 and 180"},
        {"[°]", "Enter a number between -180 and 180"},
        {"[°]", "Enter a number between -180 and 180"},
        {"[°]", "Enter a number between 0 and 180"},
    };
    for (int k = 1; k < kDefaultValueCount; ++k) {
        const int row = k + 3;
        QLabel* label = valueLabel(k);
        grid->addWidget(label, row, 0);
        if (k == kFixedFlagValue) {
            chkValue5_ = AddCheckBox(page, "chkValue5", "Fixed",
                                     "Click to toggle between fixed or moving camera");
            connect(chkValue5_, &QCheckBox::clicked, this,
                    [this](bool checked) { OnFixedDefaultToggled(checked); });
            grid->addWidget(chkValue5_, row, 1);
            continue;
        }
        const Row& value = rows[k];
        QLineEdit* field = AddValueField(k, value.tooltip);
        grid->addWidget(field, row, 1);
        grid->addWidget(unitLabel(k, value.unit), row, 2);
        NameAfterLabel(label, field);
        field->setAccessibleName(field->accessibleName() + ' ' + QString::fromUtf8(value.unit));
    }
    chkFixedSwitchOver_ =
        AddCheckBox(page, "chkFixedSwitchOver",
                    "Keep the switch-over-point fixed when moving cameras longitudinally",
                    "Click to toggle between fixed or non-fixed switch-over-points");
    connect(chkFixedSwitchOver_, &QCheckBox::clicked, this,
            [this](bool checked) { working_.FixedSwitchOver = checked; });
    grid->addWidget(chkFixedSwitchOver_, kDefaultValueCount + 3, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(kDefaultValueCount + 4, 1);
}

void OptionsWindow::BuildRemoteTab(QWidget* page) {
    auto* column = CompactColumn(page);
    auto* buttonRow = new QHBoxLayout;
    cmdConfigure_ = AddButton(page, "cmdConfigure", "Record &new script",
                              "Click to record a new scripting sequence");
    cmdTest_ = AddButton(page, "cmdTest", "&Test script", "Test the scripted sequence");
    connect(cmdConfigure_, &QPushButton::clicked, this, [this] { OnConfigureClicked(); });
    connect(cmdTest_, &QPushButton::clicked, this, [this] { OnTestClicked(); });
    buttonRow->addWidget(cmdConfigure_);
    buttonRow->addWidget(cmdTest_);
    buttonRow->addStretch(1);
    column->addLayout(buttonRow);
    lblRecording_ = AddLabel(page, "lblRecording", "");
    column->addWidget(lblRecording_);

    chkPlayScript_ = AddCheckBox(page, "chkPlayScript", "Play script after GPL has started",
                                 "Toggle script-playing after GPL launch");
    connect(chkPlayScript_, &QCheckBox::clicked, this,
            [this](bool checked) { working_.PlayScript = checked; });
    column->addWidget(chkPlayScript_);

    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(AddLabel(page, "lblSlow", "Slow"));
    speedRow->addStretch(1);
    QLabel* speed = AddLabel(page, "lblShutdown", "GPL &shutdown speed:");
    speedRow->addWidget(speed);
    speedRow->addStretch(1);
    QLabel* fast = AddLabel(page, "lblFast", "Fast");
    fast->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    speedRow->addWidget(fast);
    column->addLayout(speedRow);

    // Positions grow to the right; the delay is their mirror image, slow at the left.
    hscShutdown_ = new QScrollBar(Qt::Horizontal, page);
    hscShutdown_->setObjectName("hscShutdown");
    hscShutdown_->setAccessibleName(QStringLiteral("GPL shutdown speed"));
    // Arrow keys take a small step, Page Up and Page Down a large one.
    hscShutdown_->setFocusPolicy(Qt::StrongFocus);
    hscShutdown_->installEventFilter(this);
    // Styles draw no focus on a scroll bar; this frame shows where the keys go.
    shutdownFocus_ = new QFocusFrame(page);
    speed->setBuddy(hscShutdown_);
    hscShutdown_->setRange(0, kSlowestShutdown);
    hscShutdown_->setSingleStep(kShutdownArrowStep);
    hscShutdown_->setPageStep(kShutdownPageStep);
    connect(hscShutdown_, &QScrollBar::valueChanged, this,
            [this](int position) { OnShutdownDelayMoved(position); });
    column->addWidget(hscShutdown_);
    column->addStretch(1);
}

void OptionsWindow::BuildButtonColumn() {
    // Placed by PlaceFixedParts, top to bottom.
    QPushButton* ok =
        AddButton(canvas_, "cmdOK", "&OK", "Save settings and close options dialogue");
    QPushButton* cancel =
        AddButton(canvas_, "cmdCancel", "&Cancel", "Reject settings and close options dialogue");
    QPushButton* help = AddButton(canvas_, "cmdHelp", "&Help", "Opens the online manual");
    buttonColumn_ = {ok, cancel, help};
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { OnHelpClicked(); });
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [this] { OnHelpClicked(); });
}

}  // namespace vx
