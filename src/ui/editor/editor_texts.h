// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

// The titles of the safety requests and error boxes, shared with the game remote.
#include "remote/remote_texts.h"

namespace vx {

// The editor window's own texts; the field and set texts live with the editing tables.
inline constexpr const char* kEditorWindowTitle = "Vistolarex V1.53";
inline constexpr const char* kWelcomeLine =
    "Welcome to Vistolarex by Quennith of Brevona. Ready to rumble ;-) !";
inline constexpr const char* kStatusLineTooltip = "Shows errors and status messages";
inline constexpr const char* kStatusFrameCaption = "Status report";

inline constexpr const char* kExitQuestion = "There is unsaved data in memory. Really exit?";
inline constexpr const char* kLoadQuestion = "There is unsaved data in memory. Load anyway?";
inline constexpr const char* kRemoveQuestion =
    "This will remove the currently shown camera. Continue?";
inline constexpr const char* kOverwriteQuestion = "File exists. Overwrite?";
inline constexpr const char* kChangedOnDiskQuestion =
    "The file was changed by another program since it was loaded. Overwrite it?";

inline constexpr const char* kTestUnsavedQuestion =
    "The game reads the cameras from the file on disk, which does not hold your latest changes.";
inline constexpr const char* kSaveAndTestButton = "Save and Test";
inline constexpr const char* kTestWithoutSavingButton = "Test without saving";
inline constexpr const char* kCancelButton = "Cancel";
inline constexpr const char* kChangedOnDiskNotice = " was changed on disk.";
inline constexpr const char* kReloadButton = "Reload";
inline constexpr const char* kKeepMineButton = "Keep mine";
inline constexpr const char* kNoRecentFiles = "No recent files";
inline constexpr const char* kRestoreButton = "Restore";
inline constexpr const char* kShowChangesButton = "Show changes";
inline constexpr const char* kDiscardButton = "Discard";
inline constexpr const char* kRestoredText = "Unsaved changes restored. Ready.";
inline constexpr const char* kNoChangesText = "The recovered document does not differ.";
inline constexpr const char* kRecoveredFileGoneText =
    " can no longer be read, so there is nothing to compare the recovered document with.";
inline constexpr const char* kBadRecoveryText =
    "A recovery file that holds no valid document was moved aside: ";

inline constexpr const char* kRuntimeErrorTitle = "Runtime-Error!";
// Moving many cameras at once.
inline constexpr const char* kMoveCamerasTitle = "Vistolarex: Move cameras";
inline constexpr const char* kCamerasMovedText = "Cameras moved. Ready.";
inline constexpr const char* kLoadCancelledText = "Cancel pressed. Load aborted. Ready.";
inline constexpr const char* kLoadAbortedText = "Load aborted. Ready.";
inline constexpr const char* kSaveAbortedText = "Save aborted. Ready.";

inline constexpr const char* kManualFileName = "VistolarexHelp.html";

}  // namespace vx
