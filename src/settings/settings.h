// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "document/cam_document.h"

namespace vx {

inline constexpr const char* kSignature = "Vistolarex configuration file - DO NOT EDIT!";
// The GPLFolder text that means no game folder is set; compared as exact text.
inline constexpr const char* kNoGameFolder = "GPL not installed";
inline constexpr int kMaxClicks = 255;

// -1.0, 0.0, 2.0, 0.0, integer 1, 0.1, 0.1, 0.1, 0.0, 0.0, 0.0, single(pi / 2).
CameraDefaults FactoryCameraDefaults();

// Every option, the game folder and the click script, in file order.
struct Settings {
    std::string Signature = kSignature;
    std::string GPLFolder = kNoGameFolder;
    bool SafetyAll = true;
    bool SafetyAssign = true;
    bool SafetyConfigure = true;
    bool SafetyExit = true;
    bool SafetyLoad = true;
    bool SafetyRemove = true;
    bool SafetyOverwrite = true;
    bool ShowInformation = true;
    CameraDefaults NewCameraDefaults = FactoryCameraDefaults();
    bool FixedSwitchOver = true;
    std::uint8_t ClickCount = 0;
    std::array<std::int32_t, 256> ClickIntervals{};
    std::array<std::int32_t, 256> ClickX{};
    std::array<std::int32_t, 256> ClickY{};
    std::int32_t ShutdownDelay = 1500;
    bool PlayScript = false;

    bool HasGameFolder() const { return GPLFolder != kNoGameFolder; }
    bool operator==(const Settings&) const = default;
};

// Copies every field except Signature, as the options hand-over does both ways.
void CopyAllButSignature(const Settings& from, Settings& to);

}  // namespace vx
