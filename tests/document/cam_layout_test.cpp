// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "document/cam_writer.h"
#include "support/cam_file_builder.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

using testing::WordAt;

TEST(CamLayout, StartUpDocumentIsThe184ByteFileOfTheFormat) {
    CamDocument doc;
    NewDocument(doc);
    ApplyNewCameraDefaults(
        doc, {FloatBits(-1.0f), FloatBits(0.0f), FloatBits(2.0f), FloatBits(0.0f), 1u,
              FloatBits(0.1f), FloatBits(0.1f), FloatBits(0.1f), FloatBits(0.0f), FloatBits(0.0f),
              FloatBits(0.0f), 0x3FC90FDBu});
    doc.DataSaved = false;

    testing::ScratchFolder folder;
    const std::string path = folder.Path("new.cam");
    ASSERT_EQ(WriteCamFile(path, doc).outcome, SaveOutcome::Success);
    EXPECT_TRUE(doc.DataSaved);
    const std::vector<std::uint8_t> bytes = testing::ReadBytes(path);

    ASSERT_EQ(bytes.size(), 184u);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 16),
              (std::vector<std::uint8_t>{77, 65, 67, 84, 0, 0, 0, 0, 172, 0, 0, 0, 1, 0, 0, 0}));
    // TV1 camera 1 at 16 (distance 0, then the defaults; the mode flag is the integer 1),
    // TV2 count bytes at 72, its camera at 76, the pitlane at 132.
    const std::pair<std::size_t, std::uint32_t> words[] = {{16, FloatBits(0.0f)},
                                                           {24, FloatBits(2.0f)},
                                                           {32, 1u},
                                                           {60, 0x3FC90FDBu},
                                                           {72, 1u},
                                                           {92, 1u},
                                                           {164, FloatBits(-0.125f)}};
    for (const auto& [offset, word] : words) EXPECT_EQ(WordAt(bytes, offset), word) << offset;
    for (std::size_t k = 0; k < 13; ++k) {
        if (k != 8) {
            EXPECT_EQ(WordAt(bytes, 132 + 4 * k), 0u) << k;
        }
    }
}

TEST(CamLayout, SerializerWritesHeaderCountsRecordsAndPitlaneInFileOrder) {
    testing::CamFileParts parts;
    parts.header = {1, 2, 3, 84, 5, 6, 7, 8, 9, 10, 11, 12};
    parts.tv1CountTail = {0xA1, 0xA2, 0xA3};
    parts.tv2CountTail = {0xB1, 0xB2, 0xB3};
    CamDocument doc;
    doc.Header = parts.header;
    doc.TV1.CountBytes = {3, 0xA1, 0xA2, 0xA3};
    doc.TV2.CountBytes = {2, 0xB1, 0xB2, 0xB3};
    for (SetId id : {SetId::TV1, SetId::TV2}) {
        auto& expected = id == SetId::TV1 ? parts.tv1 : parts.tv2;
        for (int i = 1; i <= doc.Set(id).Count(); ++i) {
            std::array<std::uint32_t, 14> fields{};
            for (int k = 0; k < 14; ++k) {
                // Distinct bytes in every position expose swapped fields or byte order.
                fields[static_cast<std::size_t>(k)] =
                    0x01020304u * static_cast<std::uint32_t>(k + 1) +
                    (static_cast<std::uint32_t>(i) << 24) + (id == SetId::TV2 ? 0x80u : 0u);
                doc.Set(id).Camera(i).SetRaw(k, fields[static_cast<std::size_t>(k)]);
            }
            expected.push_back(fields);
        }
    }
    // Slots beyond a count are never written.
    doc.TV1.Camera(4).SetRaw(0, 0xDEADBEEF);
    doc.TV2.Camera(3).SetRaw(0, 0xDEADBEEF);
    for (int k = 0; k < 13; ++k) {
        parts.pitlane[static_cast<std::size_t>(k)] = 0xC0000000u + static_cast<std::uint32_t>(k);
        doc.Pitlane.SetRaw(k, parts.pitlane[static_cast<std::size_t>(k)]);
    }

    EXPECT_EQ(SerializeCamDocument(doc), parts.Content());
    EXPECT_EQ(SerializeCamDocument(doc).size(), doc.FileLength());

    // An empty set is its four count bytes and nothing else.
    doc.TV1.CountBytes = {0, 7, 7, 7};
    parts.tv1.clear();
    parts.tv1CountTail = {7, 7, 7};
    EXPECT_EQ(SerializeCamDocument(doc), parts.Content());
}

}  // namespace
}  // namespace vx
