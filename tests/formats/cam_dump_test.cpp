// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "formats/cam_json.h"
#include "formats/cam_text_table.h"

namespace vx {
namespace {

CamDocument Sample() {
    CamDocument doc;
    NewDocument(doc);
    doc.TV1.SetCount(2);
    doc.TV1.Camera(2).SetFloat(0, 480.0f);
    doc.TV1.Camera(2).SetInt(4, 1);
    doc.TV1.Camera(2).SetRaw(13, 0x7FC0BEEF);
    doc.TV2.SetCount(0);
    doc.TV2.CountBytes[2] = 0xAB;
    doc.Header[5] = 0x22;
    UpdateHeaderSize(doc);
    return doc;
}

TEST(DumpJson, HoldsHeaderCountsCamerasAndExactFields) {
    const std::string text = CamDocumentJson(Sample());
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonObject root = json.object();

    const QJsonArray header = root["header"].toArray();
    ASSERT_EQ(header.size(), 12);
    EXPECT_EQ(header[3].toInt(), 84);
    EXPECT_EQ(header[5].toInt(), 0x22);
    EXPECT_EQ(root["sizeField"].toInt(), 56 * 2 + 60);

    const QJsonArray sets = root["sets"].toArray();
    ASSERT_EQ(sets.size(), 2);
    EXPECT_EQ(sets[0].toObject()["set"].toString(), "TV1");
    const QJsonArray cameras = sets[0].toObject()["cameras"].toArray();
    ASSERT_EQ(cameras.size(), 2);
    const QJsonArray fields = cameras[1].toObject()["fields"].toArray();
    ASSERT_EQ(fields.size(), kTvFieldCount);
    const QJsonObject distance = fields[0].toObject();
    EXPECT_EQ(distance["label"].toString(), "Distance from s/f-line [m] -->");
    EXPECT_EQ(distance["kind"].toString(), "Length");
    EXPECT_EQ(distance["value"].toDouble(), 480.0);
    EXPECT_EQ(distance["raw"].toString(), "43F00000");
    EXPECT_EQ(fields[4].toObject()["kind"].toString(), "ModeFlag");
    EXPECT_EQ(fields[4].toObject()["value"].toInt(), 1);
    EXPECT_EQ(fields[8].toObject()["label"].toString(),
              QString::fromUtf8("Yaw [°] (fixed cam) -->"));
    EXPECT_EQ(fields[13].toObject()["value"].toString(), "nan");
    EXPECT_EQ(fields[13].toObject()["raw"].toString(), "7FC0BEEF");

    const QJsonObject tv2 = sets[1].toObject();
    EXPECT_EQ(tv2["cameras"].toArray().size(), 0);
    EXPECT_EQ(tv2["countBytes"].toArray()[2].toInt(), 0xAB);

    const QJsonArray pitlane = root["pitlane"].toObject()["fields"].toArray();
    ASSERT_EQ(pitlane.size(), kPitlaneFieldCount);
    EXPECT_EQ(pitlane[8].toObject()["value"].toDouble(), -0.125);
}

TEST(DumpTable, ListsEveryCameraWithLabelsQuantitiesAndPatterns) {
    const std::string text = CamDocumentTextTable(Sample());
    EXPECT_NE(text.find("Header 4D 41 43 54 00 22 00 00 AC 00 00 00"), std::string::npos);
    EXPECT_NE(text.find("TV1: 2 cameras  (count bytes 02 00 00 00)"), std::string::npos);
    EXPECT_NE(text.find("TV2: 0 cameras  (count bytes 00 00 AB 00)"), std::string::npos);
    EXPECT_NE(text.find("TV1 camera 2 (fixed)"), std::string::npos);
    const std::size_t camera2 = text.find("TV1 camera 2");
    const std::size_t line = text.find("Distance from s/f-line [m]", camera2);
    ASSERT_NE(line, std::string::npos);
    const std::string row = text.substr(line, text.find('\n', line) - line);
    EXPECT_NE(row.find(" 480 "), std::string::npos) << row;
    EXPECT_TRUE(row.ends_with("43F00000")) << row;
    EXPECT_NE(text.find("Leave this value at -0.125!"), std::string::npos);
}

}  // namespace
}  // namespace vx
