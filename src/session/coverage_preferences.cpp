// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "session/coverage_preferences.h"

#include "editing/coverage.h"
#include "editing/locale_number.h"

namespace vx {

namespace {

constexpr const char* kLapLengths = "lap-lengths";
constexpr const char* kFarLimit = "far-limit";

// A stored length: a finite number, not below 0.
std::optional<double> Metres(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    const std::optional<double> value = ParseNumber(*text);
    if (!value || *value < 0) return std::nullopt;
    return value;
}

}  // namespace

CoveragePreferences::CoveragePreferences(StateFolder folder)
    : folder_(folder), laps_(std::move(folder), kLapLengths) {}

std::optional<double> CoveragePreferences::LapLength(const std::string& file) const {
    if (file.empty()) return unnamed_;
    if (!lastLap_ || lastLap_->first != file) {
        std::optional<double> lap = Metres(laps_.Get(file));
        if (lap && *lap == 0) lap.reset();
        lastLap_.emplace(file, lap);
    }
    return lastLap_->second;
}

WriteResult CoveragePreferences::SetLapLength(const std::string& file,
                                              std::optional<double> metres) {
    if (file.empty()) {
        unnamed_ = metres;
        return {};
    }
    lastLap_.reset();
    return laps_.Set(file, metres ? MetresText(*metres) : std::string());
}

WriteResult CoveragePreferences::FollowSave(const std::string& from, const std::string& to) {
    const std::optional<double> lap = LapLength(from);
    if (from.empty()) unnamed_.reset();
    if (!lap || from == to || LapLength(to)) return {};
    return SetLapLength(to, lap);
}

double CoveragePreferences::FarLimit() const {
    if (!far_) far_ = Metres(folder_.ReadText(kFarLimit)).value_or(kDefaultFarLimit);
    return *far_;
}

WriteResult CoveragePreferences::SetFarLimit(double metres) {
    far_ = metres;
    return folder_.WriteText(kFarLimit, MetresText(metres));
}

}  // namespace vx
