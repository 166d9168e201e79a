// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>
#include <string>

#include "document/cam_document.h"
#include "settings/settings.h"
#include "ui/editor/edit_history.h"

namespace vx {

class Beeper;
class MessageBoxes;

// What the pages of the editor window share with the window: the one document,
// the live settings, the seams that block on the user, the status line, and the
// record of every step a handler took on the document (from the document before it).
struct EditorContext {
    CamDocument& doc;
    Settings& settings;
    MessageBoxes& boxes;
    Beeper& beeper;
    std::function<void(const std::string&)> status;
    std::function<void(const CamDocument& before, StepInfo step)> record;
};

}  // namespace vx
