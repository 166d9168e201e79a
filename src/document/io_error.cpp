#include "document/io_error.h"

#include <cerrno>
#include <system_error>

namespace vx {

IoError SystemError(int errorNumber) {
    return {errorNumber, std::system_category().message(errorNumber)};
}

bool IsDriveNotReady(int errorNumber) {
    return errorNumber == ENOMEDIUM || errorNumber == ENODEV || errorNumber == ENXIO;
}

LoadOutcome LoadOutcomeForError(int errorNumber) {
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
