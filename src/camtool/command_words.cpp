// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <algorithm>

#include "camtool/commands.h"

namespace vx::camtool {

namespace {

// A lone "-" is an operand: standard input or output.
bool IsOption(const std::string& word) { return word.size() > 1 && word.front() == '-'; }

bool Lists(const std::vector<std::string>& list, const std::string& word) {
    return std::find(list.begin(), list.end(), word) != list.end();
}

}  // namespace

bool CommandWords::Has(const std::string& flag) const { return Lists(flags, flag); }

std::optional<std::string> CommandWords::Value(const std::string& option) const {
    const auto found = values.find(option);
    if (found == values.end()) return std::nullopt;
    return found->second;
}

bool SplitCommandWords(const Command& command, const std::vector<std::string>& words,
                       CommandWords& split, std::string& mistake) {
    const std::string prefix = "camtool: " + std::string(command.name) + ": ";
    split = {};
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (!IsOption(word)) {
            split.operands.push_back(word);
            continue;
        }
        const bool takesValue = Lists(command.valueOptions, word);
        if (!takesValue && !Lists(command.options, word)) {
            mistake = prefix + "unknown option " + word;
            return false;
        }
        if (split.Has(word) || split.values.contains(word)) {
            mistake = prefix + "option " + word + " given twice";
            return false;
        }
        if (!takesValue) {
            split.flags.push_back(word);
        } else if (i + 1 == words.size()) {
            mistake = prefix + "option " + word + " needs a value";
            return false;
        } else {
            // Taken as it stands, so that a shift of -100 is a value, not an option.
            split.values[word] = words[++i];
        }
    }
    if (split.operands.size() != command.operandCount) {
        mistake = "camtool: usage: camtool " + std::string(command.name) + " " + command.operands;
        return false;
    }
    return true;
}

}  // namespace vx::camtool
