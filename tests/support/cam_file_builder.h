// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <vector>

namespace vx::testing {

// The little-endian word at offset, read independently of the parser.
inline std::uint32_t WordAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return std::uint32_t{bytes.at(offset)} | std::uint32_t{bytes.at(offset + 1)} << 8 |
           std::uint32_t{bytes.at(offset + 2)} << 16 | std::uint32_t{bytes.at(offset + 3)} << 24;
}

// The parts of a CAM file, written out by hand so the tests do not depend on the
// serializer they check.
struct CamFileParts {
    std::array<std::uint8_t, 12> header{77, 65, 67, 84, 0, 0, 0, 0, 0, 0, 0, 0};
    std::array<std::uint8_t, 3> tv1CountTail{};
    std::vector<std::array<std::uint32_t, 14>> tv1;
    std::array<std::uint8_t, 3> tv2CountTail{};
    std::vector<std::array<std::uint32_t, 14>> tv2;
    std::array<std::uint32_t, 13> pitlane{};
    std::vector<std::uint8_t> trailing;

    void SetSizeField(std::uint32_t size) {
        for (int i = 0; i < 4; ++i) header[8 + i] = static_cast<std::uint8_t>(size >> (8 * i));
    }
    void SetMatchingSizeField() {
        SetSizeField(static_cast<std::uint32_t>(56 * (tv1.size() + tv2.size()) + 60));
    }

    // Everything up to the end of the pitlane record.
    std::vector<std::uint8_t> Content() const {
        std::vector<std::uint8_t> out(header.begin(), header.end());
        auto word = [&out](std::uint32_t value) {
            for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        };
        auto set = [&](const std::array<std::uint8_t, 3>& tail, const auto& cameras) {
            out.push_back(static_cast<std::uint8_t>(cameras.size()));
            out.insert(out.end(), tail.begin(), tail.end());
            for (const auto& camera : cameras)
                for (std::uint32_t field : camera) word(field);
        };
        set(tv1CountTail, tv1);
        set(tv2CountTail, tv2);
        for (std::uint32_t field : pitlane) word(field);
        return out;
    }

    std::vector<std::uint8_t> Bytes() const {
        std::vector<std::uint8_t> out = Content();
        out.insert(out.end(), trailing.begin(), trailing.end());
        return out;
    }
};

// A valid file with arbitrary bit patterns everywhere (NaNs included), odd header
// and count bytes, any counts and, sometimes, trailing bytes.
inline CamFileParts RandomCamFile(std::mt19937& random) {
    std::uniform_int_distribution<unsigned> byte(0, 255);
    std::uniform_int_distribution<std::uint32_t> word;
    auto count = [&] {
        const unsigned pick = byte(random) % 4;
        return pick == 0 ? 0u : pick == 1 ? 255u : byte(random) % 40;
    };
    auto fill = [&](auto& bytes) {
        for (auto& b : bytes) b = static_cast<std::uint8_t>(byte(random));
    };
    CamFileParts parts;
    fill(parts.header);
    parts.header[3] = 84;
    fill(parts.tv1CountTail);
    fill(parts.tv2CountTail);
    parts.tv1.resize(count());
    parts.tv2.resize(count());
    for (auto* set : {&parts.tv1, &parts.tv2})
        for (auto& camera : *set)
            for (auto& field : camera) field = word(random);
    for (auto& field : parts.pitlane) field = word(random);
    parts.trailing.resize(byte(random) % 2 == 0 ? 0 : byte(random));
    fill(parts.trailing);
    return parts;
}

}  // namespace vx::testing
