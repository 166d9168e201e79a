// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "document/cam_reader.h"
#include "document/cam_writer.h"

namespace vx {

std::string LoadStatusText(LoadOutcome outcome) {
    switch (outcome) {
        case LoadOutcome::Success:
            return "File loaded, data read. Ready.";
        case LoadOutcome::NoName:
            return "No file specified. Load aborted. Ready.";
        case LoadOutcome::NotACameraFile:
            return "Not a track-camerafile. Load aborted. Ready.";
        case LoadOutcome::Truncated:
            return "File is truncated. Load aborted. Ready.";
        case LoadOutcome::FileNotFound:
            return "File not found. Load aborted. Ready.";
        case LoadOutcome::DriveNotReady:
            return "Drive not ready. Load aborted. Ready.";
        case LoadOutcome::OtherFailure:
            break;
    }
    return {};
}

std::string SaveStatusText(SaveOutcome outcome) {
    switch (outcome) {
        case SaveOutcome::Success:
            return "File written. Ready.";
        case SaveOutcome::Cancelled:
            return "Cancel pressed. Save aborted. Ready.";
        case SaveOutcome::FileNotFound:
            return "File not found. Save aborted. Ready.";
        case SaveOutcome::DriveNotReady:
            return "Drive not ready. Save aborted. Ready.";
        case SaveOutcome::OtherFailure:
            break;
    }
    return {};
}

}  // namespace vx
