// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/file_layer.h"

namespace vx {

// $XDG_STATE_HOME/Vistolarex, else ~/.local/state/Vistolarex; empty when neither
// a state home nor a home folder is known. A relative XDG_STATE_HOME is ignored,
// as the XDG rules ask.
std::string DefaultStateFolder();

// The user's small state files (recent files, per-file choices, recovery files):
// kept beside the configuration, never in it. The folder is created only when
// something is written; reading tolerates a missing or damaged file, since
// nothing here is worth refusing to start over.
class StateFolder {
  public:
    explicit StateFolder(std::string folder = DefaultStateFolder());

    const std::string& Path() const { return folder_; }
    // name may lead through subfolders ("recovery/...").
    std::string PathOf(const std::string& name) const;

    // The file's bytes; empty when it is missing, unreadable or larger than limit.
    std::vector<std::uint8_t> ReadBytes(const std::string& name, std::size_t limit = 1 << 20) const;
    std::string ReadText(const std::string& name) const;

    // Replaces the file whole or not at all, creating its folder first. durable
    // false skips the flushes to disk, for files rewritten every second.
    WriteResult WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes,
                           bool durable = true) const;
    WriteResult WriteText(const std::string& name, const std::string& text) const;

  private:
    std::string folder_;
};

// One line of tab-separated fields per record; tabs, line ends and backslashes
// inside a field are escaped, so any path fits. A damaged line is left out.
std::string JoinStateRecords(const std::vector<std::vector<std::string>>& records);
std::vector<std::vector<std::string>> SplitStateRecords(const std::string& text);

// A value per file, kept in one named file of the state folder and keyed by the
// file's canonical path, so a file reached through a link or a relative name
// finds its value.
class PerFileValues {
  public:
    PerFileValues(StateFolder folder, std::string name);

    std::optional<std::string> Get(const std::string& file) const;
    // An empty value removes the file's entry.
    WriteResult Set(const std::string& file, const std::string& value) const;

  private:
    StateFolder folder_;
    std::string name_;
};

}  // namespace vx
