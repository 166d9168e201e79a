// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>
#include <string>

#include "document/cam_document.h"
#include "session/coverage_preferences.h"
#include "session/document_session.h"
#include "settings/settings.h"

namespace vx {

class Beeper;
class MessageBoxes;

// What the pages of the editor window share with the window: the session, through
// which every change of the document goes, the document to read, the live settings,
// the seams that block on the user and the status line, and the user's lap lengths and
// far limit for the overview strips.
struct EditorContext {
    DocumentSession& session;
    const CamDocument& doc;
    Settings& settings;
    CoveragePreferences& coverage;
    MessageBoxes& boxes;
    Beeper& beeper;
    std::function<void(const std::string&)> status;
};

}  // namespace vx
