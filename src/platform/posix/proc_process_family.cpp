// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "platform/posix/proc_process_family.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace vx {
namespace {

struct ProcStat {
    std::int64_t pid = 0;
    std::int64_t parent = 0;
    std::int64_t session = 0;
    std::uint64_t start = 0;
    bool zombie = false;
};

// /proc/<pid>/stat; the command name in parentheses may hold spaces and ')'.
std::optional<ProcStat> ReadStat(std::int64_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos) return std::nullopt;
    std::istringstream rest(text.substr(close + 1));
    std::vector<std::string> fields{std::istream_iterator<std::string>(rest), {}};
    // Fields from the state (3) on; start time is field 22.
    if (fields.size() < 20) return std::nullopt;
    ProcStat stat;
    stat.pid = pid;
    stat.zombie = fields[0] == "Z" || fields[0] == "X";
    stat.parent = std::stoll(fields[1]);
    stat.session = std::stoll(fields[3]);
    stat.start = std::stoull(fields[19]);
    return stat;
}

std::vector<ProcStat> AllProcesses() {
    std::vector<ProcStat> all;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
        // A process may end between the listing and the read.
        if (auto stat = ReadStat(std::stoll(name))) all.push_back(*stat);
    }
    return all;
}

}  // namespace

void ProcProcessFamily::Follow(std::int64_t pid) {
    members_.clear();
    root_ = pid;
    session_ = 0;
    const std::optional<ProcStat> stat = ReadStat(pid);
    if (!stat) return;
    members_[pid] = stat->start;
    // A session of its own, as a detached start gives it, holds the family; ours
    // would hold every program started from the same terminal.
    if (stat->session != ::getsid(0)) session_ = stat->session;
}

void ProcProcessFamily::Look() {
    if (members_.empty()) return;
    const std::vector<ProcStat> all = AllProcesses();
    const std::uint64_t rootStart = members_[root_];
    for (bool grown = true; grown;) {
        grown = false;
        for (const ProcStat& p : all) {
            if (members_.count(p.pid) != 0 || p.start < rootStart) continue;
            const auto parent = members_.find(p.parent);
            const bool child = parent != members_.end() && p.start >= parent->second;
            if (child || (session_ != 0 && p.session == session_)) {
                members_[p.pid] = p.start;
                grown = true;
            }
        }
    }
}

bool ProcProcessFamily::Contains(std::int64_t pid) {
    if (members_.count(pid) == 0) Look();
    const auto member = members_.find(pid);
    if (member == members_.end()) return false;
    const std::optional<ProcStat> stat = ReadStat(pid);
    return stat && stat->start == member->second;
}

bool ProcProcessFamily::Running() {
    Look();
    for (const auto& [pid, start] : members_) {
        const std::optional<ProcStat> stat = ReadStat(pid);
        if (stat && stat->start == start && !stat->zombie) return true;
    }
    return false;
}

}  // namespace vx
