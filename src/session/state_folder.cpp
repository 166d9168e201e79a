// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "session/state_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "document/read_file_prefix.h"
#include "document/seen_file.h"
#include "settings/config_folder.h"

namespace vx {

namespace {

// The system's layer without the flushes: a crash of the machine may lose the
// latest write, but a crash of the program cannot tear the file, and a write a
// second must not stall on the disk.
class UnflushedFileLayer final : public FileLayer {
  public:
    int CreateUnnamed(const std::string& folder, int& handle) override {
        return base_.CreateUnnamed(folder, handle);
    }
    int CreateExclusive(const std::string& path, int& handle) override {
        return base_.CreateExclusive(path, handle);
    }
    int Link(int handle, const std::string& path) override { return base_.Link(handle, path); }
    int Write(int handle, const std::uint8_t* data, std::size_t size,
              std::size_t& written) override {
        return base_.Write(handle, data, size, written);
    }
    int Flush(int) override { return 0; }
    int Close(int handle) override { return base_.Close(handle); }
    int Rename(const std::string& from, const std::string& to) override {
        return base_.Rename(from, to);
    }
    int Remove(const std::string& path) override { return base_.Remove(path); }
    int SetMode(int handle, std::uint32_t mode) override { return base_.SetMode(handle, mode); }
    int SetOwner(int handle, std::int64_t user, std::int64_t group) override {
        return base_.SetOwner(handle, user, group);
    }
    int FlushFolder(const std::string&) override { return 0; }

  private:
    FileLayer& base_ = SystemFileLayer();
};

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return {};
}

std::string Escape(const std::string& field) {
    std::string out;
    for (char c : field) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += c;
        }
    }
    return out;
}

bool Unescape(const std::string& field, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            out += field[i];
            continue;
        }
        if (++i == field.size()) return false;
        switch (field[i]) {
            case '\\':
                out += '\\';
                break;
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            default:
                return false;
        }
    }
    return true;
}

}  // namespace

std::string DefaultStateFolder() {
    const char* stateHome = std::getenv("XDG_STATE_HOME");
    if (stateHome != nullptr && stateHome[0] == '/') return std::string(stateHome) + "/Vistolarex";
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : home + "/.local/state/Vistolarex";
}

StateFolder::StateFolder(std::string folder) : folder_(std::move(folder)) {}

std::string StateFolder::PathOf(const std::string& name) const { return folder_ + "/" + name; }

std::vector<std::uint8_t> StateFolder::ReadBytes(const std::string& name, std::size_t limit) const {
    std::vector<std::uint8_t> bytes;
    if (folder_.empty()) return bytes;
    // One byte past the limit tells a file cut off by the limit from one that fits.
    if (ReadFilePrefix(PathOf(name), limit + 1, bytes) != 0 || bytes.size() > limit) bytes.clear();
    return bytes;
}

std::string StateFolder::ReadText(const std::string& name) const {
    const std::vector<std::uint8_t> bytes = ReadBytes(name);
    return {bytes.begin(), bytes.end()};
}

WriteResult StateFolder::WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes,
                                    bool durable) const {
    if (folder_.empty()) return {false, {ENOENT, "no state folder"}};
    const std::string path = PathOf(name);
    if (!MakeConfigFolder(std::filesystem::path(path).parent_path().string())) {
        return {false, {ENOTDIR, "cannot create " + folder_}};
    }
    static UnflushedFileLayer unflushed;
    return AtomicWriteFile(path, bytes, durable ? SystemFileLayer() : unflushed);
}

WriteResult StateFolder::WriteText(const std::string& name, const std::string& text) const {
    return WriteBytes(name, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::string JoinStateRecords(const std::vector<std::vector<std::string>>& records) {
    std::string text;
    for (const auto& record : records) {
        for (std::size_t i = 0; i < record.size(); ++i) {
            if (i > 0) text += '\t';
            text += Escape(record[i]);
        }
        text += '\n';
    }
    return text;
}

std::vector<std::vector<std::string>> SplitStateRecords(const std::string& text) {
    std::vector<std::vector<std::string>> records;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        // A last line without its line end was cut short by whoever wrote it.
        if (end == std::string::npos) break;
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        std::vector<std::string> record;
        bool intact = true;
        std::size_t from = 0;
        while (intact) {
            const std::size_t tab = line.find('\t', from);
            std::string field;
            intact = Unescape(line.substr(from, tab - from), field);
            record.push_back(std::move(field));
            if (tab == std::string::npos) break;
            from = tab + 1;
        }
        if (intact && !line.empty()) records.push_back(std::move(record));
    }
    return records;
}

PerFileValues::PerFileValues(StateFolder folder, std::string name)
    : folder_(std::move(folder)), name_(std::move(name)) {}

std::optional<std::string> PerFileValues::Get(const std::string& file) const {
    const std::string key = CanonicalPath(file);
    for (const auto& record : SplitStateRecords(folder_.ReadText(name_))) {
        if (record.size() == 2 && record[0] == key) return record[1];
    }
    return std::nullopt;
}

WriteResult PerFileValues::Set(const std::string& file, const std::string& value) const {
    const std::string key = CanonicalPath(file);
    std::vector<std::vector<std::string>> kept;
    for (auto& record : SplitStateRecords(folder_.ReadText(name_))) {
        if (record.size() == 2 && record[0] != key) kept.push_back(std::move(record));
    }
    if (!value.empty()) kept.push_back({key, value});
    return folder_.WriteText(name_, JoinStateRecords(kept));
}

}  // namespace vx
