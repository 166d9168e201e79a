// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <cstddef>
#include <stdexcept>

#include "document/little_endian.h"
#include "settings/config_file.h"

namespace vx {

namespace {

constexpr std::size_t kMaxTextBytes = 0xFFFF;

class RecordWriter {
  public:
    explicit RecordWriter(std::size_t reserve) { bytes_.reserve(reserve); }

    void U8(std::uint8_t value) { bytes_.push_back(value); }
    void U16(std::uint16_t value) { AppendLittleEndian<2>(bytes_, value); }
    void U32(std::uint32_t value) { AppendLittleEndian(bytes_, value); }
    void Bool(bool value) { U16(value ? 0xFFFF : 0x0000); }
    void Text(const std::string& text) {
        if (text.size() > kMaxTextBytes) {
            throw std::length_error("configuration text longer than its 16-bit length field");
        }
        U16(static_cast<std::uint16_t>(text.size()));
        bytes_.insert(bytes_.end(), text.begin(), text.end());
    }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

  private:
    std::vector<std::uint8_t> bytes_;
};

// Every read is checked against the bytes left; once one fails, the rest fail too.
class RecordReader {
  public:
    explicit RecordReader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }

    std::uint8_t U8() {
        if (!Has(1)) return 0;
        return bytes_[pos_++];
    }
    std::uint16_t U16() {
        if (!Has(2)) return 0;
        const auto value = static_cast<std::uint16_t>(LoadLittleEndian<2>(At()));
        pos_ += 2;
        return value;
    }
    std::uint32_t U32() {
        if (!Has(4)) return 0;
        const std::uint32_t value = LoadLittleEndian(At());
        pos_ += 4;
        return value;
    }
    bool Bool() { return U16() != 0; }
    std::string Text() {
        const std::size_t length = U16();
        if (!Has(length)) return {};
        std::string text(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
                         bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + length));
        pos_ += length;
        return text;
    }

  private:
    const std::uint8_t* At() const { return bytes_.data() + pos_; }
    bool Has(std::size_t count) {
        if (ok_ && bytes_.size() - pos_ >= count) return true;
        ok_ = false;
        return false;
    }

    const std::vector<std::uint8_t>& bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

}  // namespace

std::vector<std::uint8_t> SerializeSettings(const Settings& s) {
    RecordWriter out(3145 + 4 + s.Signature.size() + s.GPLFolder.size());
    out.Text(s.Signature);
    out.Text(s.GPLFolder);
    for (bool flag : {s.SafetyAll, s.SafetyAssign, s.SafetyConfigure, s.SafetyExit, s.SafetyLoad,
                      s.SafetyRemove, s.SafetyOverwrite, s.ShowInformation}) {
        out.Bool(flag);
    }
    for (std::uint32_t bits : s.NewCameraDefaults) out.U32(bits);
    out.Bool(s.FixedSwitchOver);
    out.U8(s.ClickCount);
    for (const auto* list : {&s.ClickIntervals, &s.ClickX, &s.ClickY}) {
        for (std::int32_t value : *list) out.U32(static_cast<std::uint32_t>(value));
    }
    out.U32(static_cast<std::uint32_t>(s.ShutdownDelay));
    out.Bool(s.PlayScript);
    return out.Take();
}

std::optional<Settings> ParseSettings(const std::vector<std::uint8_t>& bytes) {
    RecordReader in(bytes);
    Settings s;
    s.Signature = in.Text();
    s.GPLFolder = in.Text();
    for (bool* flag : {&s.SafetyAll, &s.SafetyAssign, &s.SafetyConfigure, &s.SafetyExit,
                       &s.SafetyLoad, &s.SafetyRemove, &s.SafetyOverwrite, &s.ShowInformation}) {
        *flag = in.Bool();
    }
    for (std::uint32_t& bits : s.NewCameraDefaults) bits = in.U32();
    s.FixedSwitchOver = in.Bool();
    s.ClickCount = in.U8();
    for (auto* list : {&s.ClickIntervals, &s.ClickX, &s.ClickY}) {
        for (std::int32_t& value : *list) value = static_cast<std::int32_t>(in.U32());
    }
    s.ShutdownDelay = static_cast<std::int32_t>(in.U32());
    s.PlayScript = in.Bool();
    if (!in.ok()) return std::nullopt;
    return s;
}

}  // namespace vx
