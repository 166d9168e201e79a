// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "formats/cam_json.h"

#include <cmath>

#include "editing/field_table.h"
#include "formats/field_quantity.h"

namespace vx {

namespace {

template <std::size_t N>
std::string ByteArray(const std::array<std::uint8_t, N>& bytes) {
    std::string text = "[";
    for (std::size_t i = 0; i < N; ++i) text += (i ? ", " : "") + std::to_string(bytes[i]);
    return text + "]";
}

std::string FieldJson(const FieldInfo& info, bool pitlane, int field, std::uint32_t raw) {
    const std::string quantity = FormatQuantity(info, pitlane, raw);
    const bool number = !IsFloatField(info) || std::isfinite(BitsFloat(raw));
    return "{\"field\": " + std::to_string(field) + ", \"label\": " + JsonString(info.label) +
           ", \"kind\": \"" + FieldKindName(info.kind) +
           "\", \"value\": " + (number ? quantity : JsonString(quantity)) + ", \"raw\": \"" +
           HexPattern(raw) + "\"}";
}

template <int N>
std::string FieldsJson(const FieldRecord<N>& record, bool pitlane, const std::string& indent) {
    std::string text = "[";
    for (int k = 0; k < N; ++k) {
        const FieldInfo& info = pitlane ? PitlaneFieldInfo(k) : TvFieldInfo(SetId::TV1, k);
        text += (k ? ",\n" : "\n") + indent + "  " + FieldJson(info, pitlane, k, record.Raw(k));
    }
    return text + "\n" + indent + "]";
}

std::string SetJson(SetId id, const CameraSet& set) {
    std::string text = "    {\"set\": \"" + std::string(SetName(id)) +
                       "\", \"countBytes\": " + ByteArray(set.CountBytes) + ", \"cameras\": [";
    for (int i = 1; i <= set.Count(); ++i) {
        text += (i > 1 ? ",\n" : "\n");
        text += "      {\"camera\": " + std::to_string(i) +
                ", \"fields\": " + FieldsJson(set.Camera(i), false, "      ") + "}";
    }
    return text + (set.Count() > 0 ? "\n    ]}" : "]}");
}

}  // namespace

std::string JsonString(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            quoted += "\\u00" + HexByte(static_cast<std::uint8_t>(c));
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string CamDocumentJson(const CamDocument& doc) {
    std::string text = "{\n  \"header\": " + ByteArray(doc.Header) +
                       ",\n  \"sizeField\": " + std::to_string(doc.SizeField()) + ",\n";
    text += "  \"sets\": [\n" + SetJson(SetId::TV1, doc.TV1) + ",\n" +
            SetJson(SetId::TV2, doc.TV2) + "\n  ],\n";
    text += "  \"pitlane\": {\"fields\": " + FieldsJson(doc.Pitlane, true, "  ") + "}\n}\n";
    return text;
}

}  // namespace vx
