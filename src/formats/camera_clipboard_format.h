// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/cam_document.h"
#include "editing/camera_set_ops.h"

namespace vx {

// The two forms in which cameras travel over the clipboard: camtool's CSV rows as
// text, which spreadsheets and other programs understand, and the raw records under
// a type of our own, which a copy of this program takes back bit for bit.
inline constexpr const char* kCameraMimeType = "application/x-vistolarex-cameras";

inline constexpr const char* kCameraCopiedText = "Camera copied. Ready.";

// The camera as one CSV row of camtool's format, without a line end.
std::string CameraClipboardText(SetId set, int number, const TvCamera& camera);

// 56 bytes per camera, the fields little-endian as a CAM file holds them.
std::string CameraRecordBytes(const std::vector<TvCamera>& cameras);
// The cameras of 1 to 255 whole records; nullopt for anything else.
std::optional<std::vector<TvCamera>> CamerasFromRecordBytes(std::string_view bytes);

// Cameras read from the clipboard, or the status line that refuses them.
struct ClipboardCameras {
    std::vector<TvCamera> cameras;  // in clipboard order
    std::string refusal;            // empty when cameras were read

    bool Ok() const { return refusal.empty(); }
};

// Reads CSV rows of TV cameras (from either set), one per line, in order. Blank
// lines, the #header and #count lines and the column names are skipped; cells may
// be separated by tabs, as spreadsheets copy them. Text without a TV camera row is
// refused with kNoCameraOnClipboardText; a row that does not read, or whose changed
// values fail the editor's ranges, refuses the whole text with its line and column:
// "Clipboard row 2, column 7: <reason>. Ready.".
ClipboardCameras CamerasFromClipboardText(std::string_view text);

// Whether the text holds a row meant as a TV camera, readable or not; plain text
// that merely happens to be on the clipboard is not.
bool HoldsCameraRows(std::string_view text);

}  // namespace vx
