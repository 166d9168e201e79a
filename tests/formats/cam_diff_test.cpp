// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "formats/cam_diff.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

CamDocument Base() {
    CamDocument doc;
    NewDocument(doc);
    doc.TV1.SetCount(3);
    for (int i = 1; i <= 3; ++i) doc.TV1.Camera(i).SetFloat(0, 100.0f * static_cast<float>(i));
    UpdateHeaderSize(doc);
    return doc;
}

std::vector<std::string> Diff(const CamDocument& a, const CamDocument& b, std::uint64_t ta = 0,
                              std::uint64_t tb = 0) {
    return DiffCamDocuments({a, ta}, {b, tb});
}

TEST(Diff, OneFieldNamesSetCameraLabelQuantitiesAndPatterns) {
    EXPECT_EQ(Diff(Base(), Base()), std::vector<std::string>{});
    CamDocument b = Base();
    b.TV1.Camera(2).SetFloat(2, 7.5f);
    EXPECT_EQ(Diff(Base(), b), std::vector<std::string>{
                                   "TV1 camera 2, Height from the ground [m]: 0 (00000000) in A, "
                                   "7.5 (40F00000) in B"});
    CamDocument c = Base();
    c.Pitlane.SetRaw(8, 0x7FC00001);
    EXPECT_EQ(Diff(Base(), c),
              std::vector<std::string>{"Pitlane camera, Leave this value at -0.125!: -0.125 "
                                       "(BE000000) in A, nan (7FC00001) in B"});
    // Two NaN patterns differ even though both read as "nan".
    CamDocument d = c;
    d.Pitlane.SetRaw(8, 0x7FC00002);
    EXPECT_EQ(Diff(c, d).size(), 1u);
}

TEST(Diff, HeaderCountsAndCamerasOnlyInOneFile) {
    CamDocument b = Base();
    b.TV1.SetCount(5);
    b.TV1.Camera(4).SetFloat(0, 400.0f);
    b.TV2.CountBytes[3] = 1;
    UpdateHeaderSize(b);
    EXPECT_EQ(Diff(Base(), b, 0, 3),
              (std::vector<std::string>{
                  "Header: 4D 41 43 54 00 00 00 00 1C 01 00 00 in A, 4D 41 43 54 00 00 00 00 8C "
                  "01 00 00 in B",
                  "TV1 count bytes: 03 00 00 00 in A (3 cameras), 05 00 00 00 in B (5 cameras)",
                  "TV1 camera 4: only in B", "TV1 camera 5: only in B",
                  "TV2 count bytes: 01 00 00 00 in A (1 camera), 01 00 00 01 in B (1 camera)",
                  "Bytes after the pitlane record: 0 in A, 3 in B"}));
    EXPECT_EQ(Diff(b, Base()).at(2), "TV1 camera 4: only in A");
}

}  // namespace
}  // namespace vx
