// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/cam_document.h"
#include "document/file_layer.h"
#include "document/read_file_prefix.h"

namespace vx {

enum class SaveOutcome { Success, Cancelled, FileNotFound, DriveNotReady, OtherFailure };

struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Success;
    IoError error;    // filled for OtherFailure
    FileStamp stamp;  // of the file written, on Success
};

// "File written. Ready.", "Cancel pressed. Save aborted. Ready." ...; empty for OtherFailure.
std::string SaveStatusText(SaveOutcome outcome);

// The document in file order: header, TV1 count and cameras, TV2 count and
// cameras, pitlane camera; every field as its raw pattern, little-endian.
std::vector<std::uint8_t> SerializeCamDocument(const CamDocument& doc);

// Writes the document atomically (see AtomicWriteFile) and on success sets DataSaved.
[[nodiscard]] SaveResult WriteCamFile(const std::string& path, CamDocument& doc,
                                      FileLayer& layer = SystemFileLayer());

}  // namespace vx
