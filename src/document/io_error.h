// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include "document/cam_reader.h"
#include "document/cam_writer.h"
#include "document/file_layer.h"

namespace vx {

// errno with the operating system's own text for it.
IoError SystemError(int errorNumber);

// Conditions that mean the medium is absent rather than the file.
bool IsDriveNotReady(int errorNumber);

// How a failed open or read of a CAM file is reported.
LoadOutcome LoadOutcomeForError(int errorNumber);

// How a failed write of a CAM file is reported; ENOENT there means a missing folder.
SaveOutcome SaveOutcomeForError(int errorNumber);

}  // namespace vx
