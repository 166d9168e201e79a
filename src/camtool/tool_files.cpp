// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "camtool/tool_files.h"

#include <filesystem>
#include <vector>

#include "document/cam_reader.h"
#include "document/cam_writer.h"

namespace vx::camtool {

bool ReadStream(std::istream& in, std::size_t limit, std::string& bytes) {
    bytes.clear();
    char block[65536];
    while (in.read(block, sizeof block) || in.gcount() > 0) {
        bytes.append(block, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > limit) return false;
    }
    return !in.bad();
}

bool LoadOrReport(const std::string& path, std::istream& in, CamDocument& doc, std::ostream& err,
                  std::optional<std::uint64_t>* length) {
    LoadResult result;
    if (path == kStandardStream) {
        std::string bytes;
        if (!ReadStream(in, kStreamLimit, bytes)) {
            err << "camtool: cannot read standard input, or it holds more than 16 MiB\n";
            return false;
        }
        result.outcome = ParseCamBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), doc);
        if (length != nullptr) *length = bytes.size();
    } else {
        result = ReadCamFile(path, doc);
        std::error_code error;
        if (length != nullptr && std::filesystem::is_regular_file(path, error)) {
            const std::uintmax_t size = std::filesystem::file_size(path, error);
            *length = error ? std::nullopt : std::optional<std::uint64_t>(size);
        }
    }
    const std::string name = path == kStandardStream ? "standard input" : path;
    switch (result.outcome) {
        case LoadOutcome::Success:
            return true;
        case LoadOutcome::NoName:
            err << "camtool: no file specified\n";
            break;
        case LoadOutcome::NotACameraFile:
            err << "camtool: not a track-camera file: " << name << "\n";
            break;
        case LoadOutcome::Truncated:
            err << "camtool: truncated track-camera file: " << name << "\n";
            break;
        case LoadOutcome::FileNotFound:
            err << "camtool: file not found: " << name << "\n";
            break;
        case LoadOutcome::DriveNotReady:
            err << "camtool: drive not ready: " << name << "\n";
            break;
        case LoadOutcome::OtherFailure:
            err << "camtool: cannot read " << name << ": " << result.error.description << " - "
                << result.error.errorNumber << "\n";
            break;
    }
    return false;
}

bool SaveOrReport(const std::string& path, CamDocument& doc, std::ostream& out, std::ostream& err) {
    if (path == kStandardStream) {
        const std::vector<std::uint8_t> bytes = SerializeCamDocument(doc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            err << "camtool: cannot write standard output\n";
            return false;
        }
        return true;
    }
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
