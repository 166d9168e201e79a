// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// A configuration record is accepted exactly when the file holds all of it, and
// writes back to the same bytes, a true Boolean becoming the full FFFF.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "settings/config_file.h"

namespace {

std::size_t U16At(const std::uint8_t* data, std::size_t at) {
    return static_cast<std::size_t>(data[at] | data[at + 1] << 8);
}

// The record length the two length fields call for, or 0 when they are cut off.
std::size_t DeclaredLength(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t l1 = U16At(data, 0);
    if (size < 4 + l1) return 0;
    return 4 + l1 + U16At(data, 2 + l1) + 3145;
}

// The offset of the Boolean that covers byte offset, or 0 for a byte of no Boolean.
std::size_t BooleanStart(std::size_t offset, std::size_t b) {
    if (offset < b) return 0;
    const std::size_t r = offset - b;
    if (r < 16) return offset - r % 2;
    if (r == 64 || r == 65) return b + 64;
    if (r == 3143 || r == 3144) return b + 3143;
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    const std::optional<vx::Settings> parsed = vx::ParseSettings(bytes);
    const std::size_t declared = DeclaredLength(data, size);
    const bool whole = declared != 0 && declared <= size;
    if (parsed.has_value() != whole) std::abort();
    if (!parsed) return 0;

    const std::vector<std::uint8_t> written = vx::SerializeSettings(*parsed);
    if (written.size() != declared) std::abort();
    const std::size_t b = declared - 3145;
    for (std::size_t i = 0; i < written.size(); i += 1) {
        const std::size_t first = BooleanStart(i, b);
        if (first == 0) {
            if (written[i] != data[i]) std::abort();
            continue;
        }
        // Booleans are compared as whole two-byte values.
        const bool set = U16At(data, first) != 0;
        if (written[i] != (set ? 0xFF : 0x00)) std::abort();
    }
    if (vx::ParseSettings(written) != parsed) std::abort();
    return 0;
}
