// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "camtool/option_values.h"

#include "editing/locale_number.h"
#include "formats/field_quantity.h"

namespace vx::camtool {

namespace {

std::string Mistake(const std::string& option, const std::string& wanted,
                    const std::string& value) {
    return option + " takes " + wanted + ", not \"" + value + "\"";
}

std::optional<int> CameraNumber(std::string_view text) {
    const std::optional<long long> number = ParseInteger(text);
    if (!number || *number < 1 || *number > kSlotCount) return std::nullopt;
    return static_cast<int>(*number);
}

}  // namespace

bool NumberOption(const CommandWords& words, const std::string& option, NumberBound bound,
                  std::optional<double>& value, std::string& mistake) {
    const std::optional<std::string> text = words.Value(option);
    value.reset();
    if (!text) return true;
    const std::optional<double> number = ParseNumber(*text);
    const bool fits =
        number && (bound == NumberBound::Any || (bound == NumberBound::AboveZero && *number > 0) ||
                   (bound == NumberBound::NotBelowZero && *number >= 0));
    if (!fits) {
        mistake = Mistake(option,
                          bound == NumberBound::Any         ? "a number"
                          : bound == NumberBound::AboveZero ? "a number above 0"
                                                            : "a number not below 0",
                          *text);
        return false;
    }
    value = number;
    return true;
}

bool SetOption(const CommandWords& words, std::optional<SetId>& set, std::string& mistake) {
    const std::optional<std::string> text = words.Value("--set");
    set.reset();
    if (!text) return true;
    if (*text == "tv1" || *text == "TV1") {
        set = SetId::TV1;
    } else if (*text == "tv2" || *text == "TV2") {
        set = SetId::TV2;
    } else {
        mistake = Mistake("--set", "tv1 or tv2", *text);
        return false;
    }
    return true;
}

bool CamerasOption(const CommandWords& words, std::optional<CameraRange>& range,
                   std::string& mistake) {
    const std::optional<std::string> text = words.Value("--cameras");
    range.reset();
    if (!text) return true;
    const std::size_t dash = text->find('-');
    const std::optional<int> first = CameraNumber(std::string_view(*text).substr(0, dash));
    const std::optional<int> last =
        dash == std::string::npos ? first : CameraNumber(std::string_view(*text).substr(dash + 1));
    if (!first || !last) {
        mistake = Mistake("--cameras", "FROM-TO or one camera number", *text);
        return false;
    }
    range = CameraRange{*first, *last};
    return true;
}

}  // namespace vx::camtool
