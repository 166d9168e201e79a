// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <cerrno>

#include "document/read_file_prefix.h"
#include "settings/config_file.h"
#include "settings/file_probe.h"

namespace vx {

namespace {

// The longest record the two 16-bit length fields allow; more is never read.
constexpr std::size_t kMaxRecordBytes = 2 + 0xFFFF + 2 + 0xFFFF + 3145;

const char* const kCorruptTitle = "Vistolarex: Error while initializing";
const char* const kCorruptText =
    "Vistolarex.cfg seems to be corrupt or non-existant. All options will be set back to "
    "default.\r\n"
    "If you're about to fire up Vistolarex for the first time, this is normal.\r\n"
    "For further information see online manual.";

void Add(StartupConfig& result, const ConfigNoticeShower& show, ConfigNotice notice) {
    result.notices.push_back(std::move(notice));
    if (show) show(result.notices.back());
}

void AddCorrupt(StartupConfig& result, const ConfigNoticeShower& show) {
    Add(result, show, {ConfigNotice::Kind::Corrupt, 0, kCorruptTitle, kCorruptText});
}

void AddDebug(StartupConfig& result, const ConfigNoticeShower& show) {
    result.lastDebugMessage = DebugMessageText(result.configStep);
    Add(result, show,
        {ConfigNotice::Kind::Debug, result.configStep, "Debug-Mode", result.lastDebugMessage});
}

}  // namespace

std::string DebugMessageText(int configStep) {
    return "An error occured during loading the configuration file. Code: " +
           std::to_string(configStep);
}

WriteResult WriteConfigFile(const std::string& path, const Settings& settings, FileLayer& layer) {
    // A text the 16-bit length field cannot hold is refused before the old file is touched.
    if (settings.Signature.size() > 0xFFFF || settings.GPLFolder.size() > 0xFFFF) {
        return {false, {ENAMETOOLONG, "folder name too long for the configuration file"}};
    }
    return AtomicWriteFile(path, SerializeSettings(settings), layer);
}

StartupConfig LoadConfigAtStartup(const std::string& programFolder, Settings& settings,
                                  FileLayer& layer, const ConfigNoticeShower& show) {
    StartupConfig result;
    result.camPath = programFolder;
    const std::string path = programFolder + "/" + kConfigFileName;

    result.configStep = 1;
    ProbeResult read = ReadFileHead(path, kMaxRecordBytes);
    if ((read.errorNumber == ENOENT && !read.pathNotFound) ||
        read.errorNumber == kNotARegularFile) {
        // A missing file reads as a record with an empty signature; a FIFO or device
        // in its place holds no record either, and is never waited on.
        AddCorrupt(result, show);
    } else if (read.errorNumber != 0) {
        // Unreadable: no corrupt box, only the debug message for a missing folder.
        if (read.pathNotFound) AddDebug(result, show);
    } else if (std::optional<Settings> parsed = ParseSettings(read.bytes);
               !parsed || parsed->Signature != kSignature) {
        // A file shorter than one record is taken as carrying the wrong signature.
        AddCorrupt(result, show);
    } else {
        settings = std::move(*parsed);
        if (!settings.HasGameFolder()) return result;
        result.configStep = 2;
        ProbeResult game = ProbeReadable(settings.GPLFolder + "/gpl.exe");
        if (game.errorNumber == 0) {
            result.camPath = settings.GPLFolder + "/tracks";
            return result;
        }
        AddCorrupt(result, show);
        if (game.pathNotFound) AddDebug(result, show);
    }

    settings = Settings{};
    result.configStep = 3;
    if (!WriteConfigFile(path, settings, layer).ok) {
        AddDebug(result, show);
        result.startupAborted = true;
    }
    return result;
}

}  // namespace vx
