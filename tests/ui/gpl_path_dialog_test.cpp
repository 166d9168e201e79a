// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

// The "Where is GPL?" chooser: which folder it accepts, and what OK and Cancel leave.
#include "ui/gpl_path_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>

#include "settings/settings.h"
#include "support/scratch_folder.h"
#include "ui/gpl_path_folders.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

class GplPathDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(game + "/tracks");
        fs::create_directories(game + "/.wine");
        scratch.WriteFile("GPL/gpl.exe", "MZ");
        scratch.WriteFile("GPL/readme.txt", "MZ");
    }
    GplPathWindow& Open() {
        chooser = std::make_unique<GplPathWindow>(working);
        return *chooser;
    }
    bool OkEnabled() { return chooser->findChild<QPushButton*>("cmdOK")->isEnabled(); }
    QListWidgetItem* ItemFor(const std::string& path) {
        auto* list = chooser->findChild<QListWidget*>("dirFolder");
        for (int row = 0; row < list->count(); ++row) {
            if (list->item(row)->data(Qt::UserRole).toByteArray().toStdString() == path) {
                return list->item(row);
            }
        }
        return nullptr;
    }

    testing::ScratchFolder scratch;
    std::string game = scratch.Path("GPL");
    Settings working;
    std::unique_ptr<GplPathWindow> chooser;
};

TEST_F(GplPathDialogTest, OnlyAFolderWithAReadableGameEnablesOK) {
    working.GPLFolder = game;
    Open();
    EXPECT_EQ(chooser->windowTitle(), "Vistolarex: Where is GPL?");
    EXPECT_EQ(chooser->OpenFolderPath().toStdString(), game);
    EXPECT_FALSE(OkEnabled()) << "nothing is checked before a folder is opened";

    fs::create_directories(scratch.Path("Dangling"));
    fs::create_directory_symlink(scratch.Path("gone"), scratch.Path("Dangling/gpl.exe"));
    fs::create_directories(scratch.Path("FolderExe/gpl.exe"));
    const std::pair<std::string, bool> rows[] = {{game, true}, {game + "/tracks/", false},
                                                 {game, true}, {scratch.Path("Dangling"), false},
                                                 {game, true}, {scratch.Path("FolderExe"), false}};
    for (const auto& [folder, valid] : rows) {
        ASSERT_TRUE(chooser->OpenFolder(folder)) << folder;
        EXPECT_EQ(OkEnabled(), valid) << folder;
    }
    EXPECT_EQ(working.GPLFolder, scratch.Path("FolderExe")) << "the last folder visited";
    EXPECT_FALSE(chooser->OpenFolder(game + "/missing"));
    EXPECT_FALSE(chooser->OpenFolder(game + "/gpl.exe")) << "a file is no folder";
    ASSERT_TRUE(chooser->OpenFolder("/"));
    EXPECT_EQ(working.GPLFolder, "/");
}

TEST_F(GplPathDialogTest, DoubleClickOpensAFolderWhileASingleClickOnlyHighlights) {
    working.GPLFolder = scratch.Root();
    Open();
    chooser->show();
    auto* list = chooser->findChild<QListWidget*>("dirFolder");
    QListWidgetItem* item = ItemFor(game);
    ASSERT_NE(item, nullptr);
    list->scrollToItem(item);
    const QPoint centre = list->visualItemRect(item).center();
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::qWait(20);
    EXPECT_EQ(working.GPLFolder, scratch.Root());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::qWait(20);
    EXPECT_EQ(working.GPLFolder, game);
    EXPECT_TRUE(OkEnabled());
}

TEST_F(GplPathDialogTest, OKKeepsTheCheckedFolderAndCancelOrCloseDeclareNoGame) {
    Open();
    ASSERT_TRUE(chooser->OpenFolder(game));
    chooser->findChild<QPushButton*>("cmdOK")->click();
    EXPECT_EQ(chooser->result(), QDialog::Accepted);
    EXPECT_EQ(working.GPLFolder, game);

    Open();
    chooser->findChild<QPushButton*>("cmdCancel")->click();
    EXPECT_EQ(working.GPLFolder, kNoGameFolder) << "even when the game was valid before";
    Open();
    chooser->show();
    ASSERT_TRUE(chooser->OpenFolder(game + "/tracks"));
    chooser->close();
    EXPECT_EQ(chooser->result(), QDialog::Rejected);
    EXPECT_EQ(working.GPLFolder, kNoGameFolder) << "not the unchecked folder last visited";
}

TEST_F(GplPathDialogTest, DriveListStartsAtHomeAndAChangeChecksItsFolder) {
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(game));
    working.GPLFolder = kNoGameFolder;
    Open();
    qputenv("HOME", home);
    EXPECT_EQ(chooser->OpenFolderPath().toStdString(), game) << "no game yet: start at home";
    auto* drives = chooser->findChild<QComboBox*>("drvDrive");
    ASSERT_EQ(drives->itemText(0).toStdString(), game);
    ASSERT_TRUE(chooser->OpenFolder(game + "/tracks"));
    ASSERT_TRUE(chooser->ChangeDrive(0));
    EXPECT_TRUE(OkEnabled());
    EXPECT_FALSE(chooser->ChangeDrive(drives->count()));
}

TEST_F(GplPathDialogTest, FolderListShowsAncestorsThenSubfoldersOnly) {
    const auto entries = FolderListEntries(game);
    ASSERT_GE(entries.size(), 3u);
    EXPECT_EQ(entries.front().path, "/");
    const std::size_t open = entries.size() - 3;
    EXPECT_TRUE(entries[open].isOpen);
    EXPECT_EQ(entries[open].path, game);
    EXPECT_EQ(entries[open + 1].name, ".wine");
    EXPECT_EQ(entries[open + 2].name, "tracks");
    EXPECT_EQ(entries[open + 2].depth, entries[open].depth + 1);
    EXPECT_FALSE(entries[open + 2].isAncestor);
    EXPECT_TRUE(FolderListEntries(game + "/gpl.exe").empty());
}

TEST_F(GplPathDialogTest, FolderNameThatIsNotUtf8IsShownAsLatin1AndStoredAsItsBytes) {
    const std::string latin1 = scratch.Path("caf\xE9");
    fs::create_directories(latin1);
    testing::WriteBytes(latin1 + "/gpl.exe", {'M', 'Z'});
    working.GPLFolder = scratch.Root();
    Open();
    QListWidgetItem* item = ItemFor(latin1);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text().trimmed(), QString::fromUtf8("caf\u00e9"));
    emit chooser->findChild<QListWidget*>("dirFolder")->itemActivated(item);
    QTest::qWait(20);
    EXPECT_EQ(working.GPLFolder, latin1);
    EXPECT_TRUE(OkEnabled());
}

}  // namespace
}  // namespace vx
