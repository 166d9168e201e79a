// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstdint>
#include <cstring>

namespace vx {

inline constexpr int kTvFieldCount = 14;
inline constexpr int kPitlaneFieldCount = 13;
inline constexpr int kSlotCount = 256;
inline constexpr int kTvRecordBytes = 4 * kTvFieldCount;
inline constexpr int kPitlaneRecordBytes = 4 * kPitlaneFieldCount;
inline constexpr int kHeaderBytes = 12;
inline constexpr int kCountBytes = 4;
// The fields of a TV camera record by number. Plain ints, as the field accessors,
// the field tables and the window's rows count them. Mode is an integer, not a float:
// 1 = fixed, 0 = moving.
struct TvField {
    enum : int {
        Distance,
        SideOffset,
        Height,
        ChangeOver,
        Mode,
        ZoomStart,
        ZoomFirst,
        ZoomSecond,
        Yaw,
        Pitch,
        Bank,
        OpeningAngle,
        Unknown12,
        Unknown13,
    };
};

// The fields of the pitlane camera record by number; 7 holds 0 and 8 holds -0.125.
struct PitlaneField {
    enum : int {
        X,
        Y,
        Z,
        Yaw,
        Pitch,
        Bank,
        OpeningAngle,
        Zero,
        MinusEighth,
        Unknown9,
        Unknown10,
        Unknown11,
        Unknown12,
    };
};

// The twelve new-camera values of the settings, as raw 32-bit patterns.
using CameraDefaults = std::array<std::uint32_t, 12>;

inline std::uint32_t FloatBits(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline float BitsFloat(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A record of raw 32-bit field patterns; the patterns are what the file holds, so
// copying them never changes a bit of a value the editor did not touch.
template <int N>
struct FieldRecord {
    std::array<std::uint32_t, N> Fields{};

    std::uint32_t Raw(int field) const { return Fields.at(static_cast<std::size_t>(field)); }
    void SetRaw(int field, std::uint32_t bits) {
        Fields.at(static_cast<std::size_t>(field)) = bits;
    }
    float Float(int field) const { return BitsFloat(Raw(field)); }
    void SetFloat(int field, float value) { SetRaw(field, FloatBits(value)); }
    std::int32_t Int(int field) const { return static_cast<std::int32_t>(Raw(field)); }
    void SetInt(int field, std::int32_t value) { SetRaw(field, static_cast<std::uint32_t>(value)); }

    bool operator==(const FieldRecord&) const = default;
};

struct TvCamera : FieldRecord<kTvFieldCount> {
    // Any non-zero pattern in the mode field counts as a fixed camera.
    bool IsFixed() const { return Raw(TvField::Mode) != 0; }
};

struct PitlaneCamera : FieldRecord<kPitlaneFieldCount> {};

enum class SetId { TV1, TV2 };

// "TV1" or "TV2", as the set is named in messages.
const char* SetName(SetId set);

struct CameraSet {
    std::array<std::uint8_t, kCountBytes> CountBytes{};
    std::array<TvCamera, kSlotCount> Cameras{};

    // Byte 0 alone is the count; bytes 1 to 3 are carried along untouched.
    int Count() const { return CountBytes[0]; }
    void SetCount(int count) { CountBytes[0] = static_cast<std::uint8_t>(count); }

    // Cameras are numbered from 1 as the user sees them.
    TvCamera& Camera(int number) { return Cameras.at(static_cast<std::size_t>(number - 1)); }
    const TvCamera& Camera(int number) const {
        return Cameras.at(static_cast<std::size_t>(number - 1));
    }

    bool operator==(const CameraSet&) const = default;
};

struct CamDocument {
    std::array<std::uint8_t, kHeaderBytes> Header{};
    CameraSet TV1;
    CameraSet TV2;
    PitlaneCamera Pitlane;
    bool DataSaved = true;

    CameraSet& Set(SetId set) { return set == SetId::TV1 ? TV1 : TV2; }
    const CameraSet& Set(SetId set) const { return set == SetId::TV1 ? TV1 : TV2; }

    // Header bytes 8 to 11 as a little-endian number.
    std::uint32_t SizeField() const;
    // The size field that the counts call for: 56 x (c1 + c2) + 60.
    std::uint32_t ExpectedSizeField() const;
    // Bytes the document takes in a file: 72 + 56 x (c1 + c2).
    std::size_t FileLength() const;

    // Content equality, DataSaved aside.
    bool SameContent(const CamDocument& other) const;
};

// The document that exists before any file is loaded, without camera values yet:
// signature, counts of one, size field, pitlane camera; DataSaved true.
void NewDocument(CamDocument& doc);

// Gives camera 1 of each set distance 0, the new-camera values 1 to 11 as raw
// patterns, and 0 in fields 12 and 13; DataSaved true.
void ApplyNewCameraDefaults(CamDocument& doc, const CameraDefaults& defaults);

// Rewrites header bytes 8 to 11 from the two counts.
void UpdateHeaderSize(CamDocument& doc);

}  // namespace vx
