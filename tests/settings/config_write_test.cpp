// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "document/faulty_file_layer.h"
#include "settings/config_file.h"
#include "support/scratch_folder.h"

namespace vx {
namespace {

using testing::FaultyFileLayer;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

TEST(ConfigWrite, AnyFailingStepLeavesTheOldFileWholeAndNoTemporary) {
    const std::pair<void (*)(FaultyFileLayer&), int> faults[] = {
        {[](FaultyFileLayer& l) { l.createError = EACCES; }, EACCES},
        {[](FaultyFileLayer& l) { l.failWriteNumber = 1; }, EIO},
        // A full disk after part of the record is stored.
        {[](FaultyFileLayer& l) {
             l.maxChunk = 1000, l.failWriteNumber = 2, l.writeError = ENOSPC;
         },
         ENOSPC},
        {[](FaultyFileLayer& l) { l.flushError = EIO; }, EIO},
        {[](FaultyFileLayer& l) { l.renameError = EXDEV; }, EXDEV}};
    for (const auto& [arm, error] : faults) {
        ScratchFolder dir;
        const std::string path = dir.Path("Vistolarex.cfg");
        Settings old;
        old.GPLFolder = "/old/game";
        const std::vector<std::uint8_t> oldBytes = SerializeSettings(old);
        WriteBytes(path, oldBytes);

        FaultyFileLayer layer;
        arm(layer);
        Settings next;
        next.ClickCount = 9;
        const WriteResult result = WriteConfigFile(path, next, layer);
        EXPECT_FALSE(result.ok) << error;
        EXPECT_EQ(result.error.errorNumber, error);
        EXPECT_EQ(ReadBytes(path), oldBytes) << error;
        EXPECT_EQ(dir.Entries(), std::set<std::string>{"Vistolarex.cfg"}) << error;
    }
}

TEST(ConfigWrite, FolderTooLongForItsLengthFieldIsRefused) {
    ScratchFolder dir;
    const std::string path = dir.Path("Vistolarex.cfg");
    ASSERT_TRUE(WriteConfigFile(path, Settings{}).ok);
    Settings huge;
    huge.GPLFolder = std::string(0x10000, 'x');
    const WriteResult result = WriteConfigFile(path, huge);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error.errorNumber, ENAMETOOLONG);
    EXPECT_EQ(ReadBytes(path), SerializeSettings(Settings{}));

    // The longest folder that fits still round-trips.
    huge.GPLFolder.pop_back();
    ASSERT_TRUE(WriteConfigFile(path, huge).ok);
    const std::optional<Settings> back = ParseSettings(ReadBytes(path));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->GPLFolder.size(), 0xFFFFu);
}

}  // namespace
}  // namespace vx
