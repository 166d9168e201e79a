#include "camtool/tool_files.h"

#include "document/cam_reader.h"
#include "document/cam_writer.h"

namespace vx::camtool {

bool LoadOrReport(const std::string& path, CamDocument& doc, std::ostream& err) {
    const LoadResult result = ReadCamFile(path, doc);
    switch (result.outcome) {
        case LoadOutcome::Success:
            return true;
        case LoadOutcome::NoName:
            err << "camtool: no file specified\n";
            break;
        case LoadOutcome::NotACameraFile:
            err << "camtool: not a track-camera file: " << path << "\n";
            break;
        case LoadOutcome::Truncated:
            err << "camtool: truncated track-camera file: " << path << "\n";
            break;
        case LoadOutcome::FileNotFound:
            err << "camtool: file not found: " << path << "\n";
            break;
        case LoadOutcome::DriveNotReady:
            err << "camtool: drive not ready: " << path << "\n";
            break;
        case LoadOutcome::OtherFailure:
            err << "camtool: cannot read " << path << ": " << result.error.description << " - "
                << result.error.errorNumber << "\n";
            break;
    }
    return false;
}

bool SaveOrReport(const std::string& path, CamDocument& doc, std::ostream& err) {
    const SaveResult result = WriteCamFile(path, doc);
    switch (result.outcome) {
        case SaveOutcome::Success:
            return true;
        case SaveOutcome::FileNotFound:
            err << "camtool: folder not found: " << path << "\n";
            break;
        case SaveOutcome::DriveNotReady:
            err << "camtool: drive not ready: " << path << "\n";
            break;
        case SaveOutcome::Cancelled:
        case SaveOutcome::OtherFailure:
            err << "camtool: cannot write " << path << ": " << result.error.description << " - "
                << result.error.errorNumber << "\n";
            break;
    }
    return false;
}

}  // namespace vx::camtool
