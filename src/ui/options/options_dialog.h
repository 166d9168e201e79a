// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "settings/settings.h"

class QWidget;

namespace vx {

class Beeper;
class DocumentOpener;
class GameRemote;
class MessageBoxes;

// What the options dialog works with; it edits `working` only.
struct OptionsContext {
    Settings& working;
    MessageBoxes& boxes;
    Beeper& beeper;
    DocumentOpener& opener;
    GameRemote& remote;
    std::string manualPath;  // the online manual, for the dialog's Help button
};

// Shows frmOptions2 modally and returns its answer (AcceptOptions): true for OK;
// Cancel and closing by the frame give false.
bool RunOptionsDialog(QWidget* parent, OptionsContext& context);

}  // namespace vx
