// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "formats/cam_text_table.h"

#include "editing/field_table.h"
#include "formats/field_quantity.h"

namespace vx {

namespace {

constexpr std::size_t kLabelWidth = 48;
constexpr std::size_t kQuantityWidth = 16;

// Width in characters of UTF-8 text (the degree sign takes two bytes).
std::size_t Columns(const std::string& text) {
    std::size_t count = 0;
    for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

template <std::size_t N>
std::string Bytes(const std::array<std::uint8_t, N>& bytes) {
    std::string text;
    for (std::size_t i = 0; i < N; ++i) text += (i ? " " : "") + HexByte(bytes[i]);
    return text;
}

template <int N>
std::string FieldLines(const FieldRecord<N>& record, bool pitlane) {
    std::string text;
    for (int k = 0; k < N; ++k) {
        const FieldInfo& info = pitlane ? PitlaneFieldInfo(k) : TvFieldInfo(SetId::TV1, k);
        const std::string number = std::to_string(k);
        text += std::string(6 - number.size(), ' ') + number + "  " +
                Padded(FieldName(info), kLabelWidth) +
                Padded(FormatQuantity(info, pitlane, record.Raw(k)), kQuantityWidth) +
                HexPattern(record.Raw(k)) + "\n";
    }
    return text;
}

}  // namespace

std::string Padded(const std::string& text, std::size_t width) {
    const std::size_t used = Columns(text);
    return text + std::string(used < width ? width - used : 1, ' ');
}

std::string CamDocumentTextTable(const CamDocument& doc) {
    std::string text = "Header " + Bytes(doc.Header) + "  (size field " +
                       std::to_string(doc.SizeField()) + ", the counts call for " +
                       std::to_string(doc.ExpectedSizeField()) + ")\n";
    for (SetId id : {SetId::TV1, SetId::TV2}) {
        const CameraSet& set = doc.Set(id);
        text += "\n" + std::string(SetName(id)) + ": " + std::to_string(set.Count()) +
                (set.Count() == 1 ? " camera" : " cameras") + "  (count bytes " +
                Bytes(set.CountBytes) + ")\n";
        for (int i = 1; i <= set.Count(); ++i) {
            text += "  " + std::string(SetName(id)) + " camera " + std::to_string(i) +
                    (set.Camera(i).IsFixed() ? " (fixed)\n" : " (moving)\n");
            text += FieldLines(set.Camera(i), false);
        }
    }
    return text + "\nPitlane camera\n" + FieldLines(doc.Pitlane, true);
}

}  // namespace vx
