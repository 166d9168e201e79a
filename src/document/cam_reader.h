// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "document/cam_document.h"
#include "document/file_layer.h"
#include "document/read_file_prefix.h"

namespace vx {

enum class LoadOutcome {
    Success,
    NoName,          // error code 6665
    NotACameraFile,  // error code 6666
    Truncated,       // the file ends before its counts say it should
    FileNotFound,
    DriveNotReady,
    OtherFailure,
};

struct LoadResult {
    LoadOutcome outcome = LoadOutcome::Success;
    IoError error;    // filled for OtherFailure
    FileStamp stamp;  // of the file read, on Success
};

// The status line each outcome leaves ("File loaded, data read. Ready." ...);
// empty for OtherFailure, which the window reports in a box.
std::string LoadStatusText(LoadOutcome outcome);

// Receives each stage's progress text ("Reading CAMFile-Header..." ...); the texts
// are built only when there is a sink.
using ProgressSink = std::function<void(const std::string&)>;

// Parses the bytes of a CAM file into staging; trailing bytes are ignored.
[[nodiscard]] LoadOutcome ParseCamBytes(const std::vector<std::uint8_t>& bytes,
                                        CamDocument& staging, const ProgressSink& progress = {});

// Reads the named file; on Success the document takes the file's header, sets
// and pitlane camera and keeps its DataSaved; on any other outcome it is untouched.
[[nodiscard]] LoadResult ReadCamFile(const std::string& name, CamDocument& doc,
                                     const ProgressSink& progress = {});

// CAMFileName up to and including its last separator; empty without one.
std::string ExtractCamPath(const std::string& camFileName);

}  // namespace vx
