// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <filesystem>

#include "document/faulty_file_layer.h"
#include "settings/config_file.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

using testing::FaultyFileLayer;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;
using Kind = ConfigNotice::Kind;

// What the file and the layer looked like at the moment a notice was shown.
struct Moment {
    Kind kind;
    int code;
    std::vector<std::uint8_t> file;
    int writes;
};

TEST(ConfigNoticeOrder, BoxesAppearBeforeTheRewriteAndCodeThreeAfterTheFailedWrite) {
    ScratchFolder dir;
    const std::string path = dir.Path("Vistolarex.cfg");
    FaultyFileLayer layer;
    std::vector<Moment> moments;
    auto record = [&](const ConfigNotice& notice) {
        const bool exists = std::filesystem::exists(path);
        moments.push_back({notice.kind, notice.code,
                           exists ? ReadBytes(path) : std::vector<std::uint8_t>{}, layer.writes});
    };

    // First start: the corrupt box comes while there is no file yet.
    Settings s;
    StartupConfig r = LoadConfigAtStartup(dir.Root(), s, layer, record);
    ASSERT_EQ(moments.size(), 1u);
    EXPECT_EQ(moments[0].kind, Kind::Corrupt);
    EXPECT_TRUE(moments[0].file.empty());
    EXPECT_EQ(moments[0].writes, 0);
    EXPECT_EQ(ReadBytes(path), SerializeSettings(Settings{}));
    ASSERT_EQ(r.notices.size(), 1u) << "the notices are still collected";

    // A game folder that has gone: the corrupt box and code 2 both come before the
    // stale file is replaced.
    Settings stale;
    stale.GPLFolder = dir.Path("gone");
    const std::vector<std::uint8_t> staleBytes = SerializeSettings(stale);
    WriteBytes(path, staleBytes);
    moments.clear();
    r = LoadConfigAtStartup(dir.Root(), s, layer, record);
    ASSERT_EQ(moments.size(), 2u);
    EXPECT_EQ(moments[0].kind, Kind::Corrupt);
    EXPECT_EQ(moments[1].code, 2);
    EXPECT_EQ(moments[0].file, staleBytes);
    EXPECT_EQ(moments[1].file, staleBytes);
    EXPECT_EQ(ReadBytes(path), SerializeSettings(Settings{}));

    // The rewrite fails: code 3 is shown only after the write was tried.
    WriteBytes(path, {1, 2, 3});
    layer.failWriteNumber = layer.writes + 1;
    const int writesBefore = layer.writes;
    moments.clear();
    r = LoadConfigAtStartup(dir.Root(), s, layer, record);
    ASSERT_EQ(moments.size(), 2u);
    EXPECT_EQ(moments[0].kind, Kind::Corrupt);
    EXPECT_EQ(moments[0].writes, writesBefore);
    EXPECT_EQ(moments[1].kind, Kind::Debug);
    EXPECT_EQ(moments[1].code, 3);
    EXPECT_GT(moments[1].writes, writesBefore);
    EXPECT_TRUE(r.startupAborted);
    EXPECT_EQ(r.fehlermeldung, DebugMessageText(3));
}

}  // namespace
}  // namespace vx
