// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "document/io_error.h"

#include <cerrno>
#include <system_error>

#include "document/read_file_prefix.h"

namespace vx {

IoError SystemError(int errorNumber) {
    if (errorNumber == kNotARegularFile) return {errorNumber, "Not a regular file"};
    return {errorNumber, std::system_category().message(errorNumber)};
}

bool IsDriveNotReady(int errorNumber) {
    return errorNumber == ENOMEDIUM || errorNumber == ENODEV || errorNumber == ENXIO;
}

LoadOutcome LoadOutcomeForError(int errorNumber) {
    if (errorNumber == kNotARegularFile) return LoadOutcome::NotACameraFile;
    if (errorNumber == ENOENT) return LoadOutcome::FileNotFound;
    if (IsDriveNotReady(errorNumber)) return LoadOutcome::DriveNotReady;
    return LoadOutcome::OtherFailure;
}

SaveOutcome SaveOutcomeForError(int errorNumber) {
    if (errorNumber == ENOENT) return SaveOutcome::FileNotFound;
    if (IsDriveNotReady(errorNumber)) return SaveOutcome::DriveNotReady;
    return SaveOutcome::OtherFailure;
}

}  // namespace vx
