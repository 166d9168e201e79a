// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>

namespace vx {

// Every number in a CAM file, in Vistolarex.cfg and in the clipboard's records is
// held least significant byte first.

// Appends the Bytes low bytes of value to a container of bytes or chars.
template <std::size_t Bytes = 4, class Out>
void AppendLittleEndian(Out& out, std::uint32_t value) {
    for (std::size_t i = 0; i < Bytes; ++i) {
        out.push_back(static_cast<typename Out::value_type>((value >> (8 * i)) & 0xFFu));
    }
}

// Writes the Bytes low bytes of value over the bytes at `at`.
template <std::size_t Bytes = 4, class It>
void StoreLittleEndian(It at, std::uint32_t value) {
    for (std::size_t i = 0; i < Bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Reads Bytes bytes at `at`; the caller has checked that they are there.
template <std::size_t Bytes = 4, class It>
std::uint32_t LoadLittleEndian(It at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < Bytes; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(at[i])) << (8 * i);
    }
    return value;
}

}  // namespace vx
