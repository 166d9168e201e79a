#include <gtest/gtest.h>

#include "faulty_file_layer.h"
#include "settings/config_file.h"
#include "temp_folder.h"

namespace vx {
namespace {

using testing::FaultyFileLayer;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
using Op = FaultyFileLayer::Op;

TEST(ConfigWrite, AnyFailingStepLeavesTheOldFileWholeAndNoTemporary) {
    struct Case {
        Op op;
        int call;
        int error;
        std::size_t partial;
    };
    const Case cases[] = {{Op::Create, 1, EACCES, 0},   {Op::Write, 1, EIO, 0},
                          {Op::Write, 1, ENOSPC, 1000}, {Op::Flush, 1, EIO, 0},
                          {Op::Close, 1, EIO, 0},       {Op::Rename, 1, EXDEV, 0}};
    for (const Case& c : cases) {
        TempFolder dir;
        const std::string path = dir.Join("Vistolarex.cfg");
        Settings old;
        old.GPLFolder = "/old/game";
        const std::vector<std::uint8_t> oldBytes = SerializeSettings(old);
        WriteBytes(path, oldBytes);

        FaultyFileLayer layer;
        layer.failOp = c.op;
        layer.failOnCall = c.call;
        layer.failError = c.error;
        layer.partialBytes = c.partial;
        Settings next;
        next.ClickCount = 9;
        const WriteResult result = WriteConfigFile(path, next, layer);
        const int op = static_cast<int>(c.op);
        EXPECT_FALSE(result.ok) << "op " << op;
        EXPECT_EQ(result.error.errorNumber, c.error) << "op " << op;
        EXPECT_EQ(ReadBytes(path), oldBytes) << "op " << op;
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"Vistolarex.cfg"}) << "op " << op;
    }
}

TEST(ConfigWrite, ReplacesTheFileWithExactlyOneRecord) {
    TempFolder dir;
    const std::string path = dir.Join("Vistolarex.cfg");
    Settings longer;
    longer.GPLFolder = std::string(300, 'x');
    ASSERT_TRUE(WriteConfigFile(path, longer).ok);
    ASSERT_TRUE(WriteConfigFile(path, Settings{}).ok);
    EXPECT_EQ(ReadBytes(path), SerializeSettings(Settings{}));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"Vistolarex.cfg"});
}

TEST(ConfigWrite, FolderTooLongForItsLengthFieldIsRefused) {
    TempFolder dir;
    const std::string path = dir.Join("Vistolarex.cfg");
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
