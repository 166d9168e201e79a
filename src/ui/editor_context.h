#pragma once

#include <functional>
#include <string>

#include "document/cam_document.h"
#include "settings/settings.h"

namespace vx {

class Beeper;
class MessageBoxes;

// What the pages of the editor window share with the window: the one document,
// the live settings, the seams that block on the user, and the status line.
struct EditorContext {
    CamDocument& doc;
    Settings& settings;
    MessageBoxes& boxes;
    Beeper& beeper;
    std::function<void(const std::string&)> status;
};

}  // namespace vx
