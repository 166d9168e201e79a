// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/file_layer.h"
#include "settings/settings.h"

namespace vx {

inline constexpr const char* kConfigFileName = "Vistolarex.cfg";

// One record in file order; 3210 bytes with the factory values.
std::vector<std::uint8_t> SerializeSettings(const Settings& settings);

// Reads one record from the start of bytes; trailing bytes are ignored. Every
// length is checked against the bytes at hand, so a short or hostile file is
// refused (nullopt) and never read past its end.
std::optional<Settings> ParseSettings(const std::vector<std::uint8_t>& bytes);

// Writes the record atomically; the old file stays whole on failure.
[[nodiscard]] WriteResult WriteConfigFile(const std::string& path, const Settings& settings,
                                          FileLayer& layer = SystemFileLayer());

// True when folder + "/gpl.exe" can be opened for reading (opened and closed at once).
bool CheckGameFolder(const std::string& folder);

// A message box that loading the configuration calls for, in the order they appear.
struct ConfigNotice {
    enum class Kind { Corrupt, Debug } kind;
    int code = 0;  // ConfigStep for Debug
    std::string title;
    std::string text;
};

struct StartupConfig {
    std::vector<ConfigNotice> notices;
    // The default configuration could not be written: the rest of start-up is skipped.
    bool startupAborted = false;
    int configStep = 1;
    std::string camPath;           // ProgramFolder, or GPLFolder + "/tracks"
    std::string lastDebugMessage;  // text of the last Debug-Mode message
};

// Shows one start-up notice to the user; it returns once the user has answered.
using ConfigNoticeShower = std::function<void(const ConfigNotice&)>;

// Start-up: read programFolder/Vistolarex.cfg into settings, check the game folder,
// or fall back to the factory values and rewrite the file. Every notice is kept in
// the result; when show is given it also sees each one at its moment, so the
// corrupt box comes before the rewrite and code 3 after the failed write.
[[nodiscard]] StartupConfig LoadConfigAtStartup(const std::string& programFolder,
                                                Settings& settings,
                                                FileLayer& layer = SystemFileLayer(),
                                                const ConfigNoticeShower& show = {});

// The "Debug-Mode" message text for a ConfigStep code.
std::string DebugMessageText(int configStep);

}  // namespace vx
