#include "camtool/cam_input.h"

#include <filesystem>

#include "document/cam_reader.h"
#include "document/io_error.h"
#include "document/read_file_prefix.h"

namespace vx {

namespace {

// More than any camera file holds (both sets full), so that what follows the
// pitlane record is seen, but not so much that naming a device reads it whole.
constexpr std::size_t kReadLimit = std::size_t{1} << 20;

std::string OutcomeText(LoadOutcome outcome, int errorNumber) {
    switch (outcome) {
        case LoadOutcome::NotACameraFile:
            return "not a track-camera file (header byte 3 is not 84)";
        case LoadOutcome::Truncated:
            return "truncated: the file ends before its counts say it should";
        case LoadOutcome::FileNotFound:
            return "file not found";
        case LoadOutcome::DriveNotReady:
            return "drive not ready";
        case LoadOutcome::NoName:
            return "no file name given";
        case LoadOutcome::Success:
        case LoadOutcome::OtherFailure:
            break;
    }
    return SystemError(errorNumber).description;
}

}  // namespace

CamInput LoadCamInput(const std::string& path) {
    CamInput input;
    if (path.empty()) {
        input.error = OutcomeText(LoadOutcome::NoName, 0);
        return input;
    }
    std::vector<std::uint8_t> bytes;
    if (const int error = ReadFilePrefix(path, kReadLimit, bytes); error != 0) {
        input.error = OutcomeText(LoadOutcomeForError(error), error);
        return input;
    }
    auto doc = std::make_unique<CamDocument>();
    if (const LoadOutcome outcome = ParseCamBytes(bytes, *doc); outcome != LoadOutcome::Success) {
        input.error = OutcomeText(outcome, 0);
        return input;
    }
    std::uint64_t total = bytes.size();
    std::error_code ignored;
    if (bytes.size() == kReadLimit && std::filesystem::is_regular_file(path, ignored)) {
        const std::uintmax_t size = std::filesystem::file_size(path, ignored);
        if (!ignored) total = size;
    }
    input.trailingBytes = total - doc->FileLength();
    input.doc = std::move(doc);
    return input;
}

bool ReadTextFile(const std::string& path, std::string& text, std::string& error) {
    // A CSV of two full sets is well below a megabyte; the limit keeps a wrong pick
    // from being read whole.
    constexpr std::size_t kTextLimit = std::size_t{16} << 20;
    std::vector<std::uint8_t> bytes;
    if (const int code = ReadFilePrefix(path, kTextLimit + 1, bytes); code != 0) {
        error = LoadOutcomeForError(code) == LoadOutcome::FileNotFound
                    ? "file not found"
                    : SystemError(code).description;
        return false;
    }
    if (bytes.size() > kTextLimit) {
        error = "too large for a camera CSV file";
        return false;
    }
    text.assign(bytes.begin(), bytes.end());
    return true;
}

}  // namespace vx
