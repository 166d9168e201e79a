// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace vx::testing {

// A fresh folder under the system's temporary folder, removed with its content.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vx-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        root_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string Root() const { return root_.string(); }
    std::string Path(const std::string& name) const { return (root_ / name).string(); }

    // Writes a file into the folder, executable for its owner when asked; returns its path.
    std::string WriteFile(const std::string& name, const std::string& content,
                          bool executable = false) const {
        std::ofstream(Path(name), std::ios::binary) << content;
        if (executable)
            std::filesystem::permissions(Path(name), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add);
        return Path(name);
    }

    // Names of everything in the folder, so a test can see that no stray file was left.
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(root_))
            names.insert(entry.path().filename().string());
        return names;
    }

  private:
    std::filesystem::path root_;
};

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace vx::testing
