// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QMimeData>
#include <memory>

#include "document/cam_document.h"
#include "formats/camera_clipboard_format.h"

namespace vx {

// What a copy puts on the system clipboard: the CSV row as text for any program,
// and the record bit for bit under kCameraMimeType for this one.
std::unique_ptr<QMimeData> CameraMimeData(SetId set, int number, const TvCamera& camera);

// The cameras on the clipboard: the records of our own type when they are whole,
// else the rows of the text.
ClipboardCameras CamerasFromMimeData(const QMimeData* data);

// Whether the clipboard is meant to paste cameras: our records, or text with camera
// rows. Plain text is not, so an entry box may take it as usual.
bool HoldsCameras(const QMimeData* data);

}  // namespace vx
