// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include "ui/gpl_path_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "document/cam_reader.h"
#include "document/cam_writer.h"
#include "settings/config_file.h"
#include "ui/gpl_path_folders.h"

namespace vx {
namespace {

class GplPathDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        game = root.filePath("GPL");
        ASSERT_TRUE(QDir().mkpath(game + "/tracks"));
        ASSERT_TRUE(QDir().mkpath(game + "/.wine"));
        Touch(game + "/gpl.exe");
        Touch(game + "/readme.txt");
        savedHome = qgetenv("HOME");
    }
    void TearDown() override {
        chooser.reset();
        qputenv("HOME", savedHome);
    }

    static void Touch(const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write("MZ");
    }

    GplPathWindow& Open() {
        chooser = std::make_unique<GplPathWindow>(working);
        return *chooser;
    }
    QPushButton* OK() { return chooser->findChild<QPushButton*>("cmdOK"); }

    QTemporaryDir root;
    QString game;
    QByteArray savedHome;
    Settings working;
    std::unique_ptr<GplPathWindow> chooser;
};

TEST_F(GplPathDialogTest, WindowShowsItsTitleAndHint) {
    GplPathWindow& window = Open();
    EXPECT_EQ(window.windowTitle(), "Vistolarex: Where is GPL?");
    EXPECT_EQ(window.size(),
              QSize(4470 * window.logicalDpiX() / 1440, 2775 * window.logicalDpiY() / 1440));
    auto* hint = window.findChild<QLabel*>("lblHint");
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->text(),
              "Vistolarex needs the path to the file \"gpl.exe\". Click \"Cancel\" if GPL is "
              "not installed on this machine.");
    EXPECT_GE(window.findChild<QComboBox*>("drvDrive")->count(), 1);
}

TEST_F(GplPathDialogTest, OpeningStartsAtTheConfiguredFolderWithOKDisabled) {
    working.GPLFolder = game.toStdString();
    Open();
    EXPECT_EQ(chooser->OpenFolderPath(), game);
    EXPECT_FALSE(OK()->isEnabled()) << "nothing is checked before a folder is opened";
    EXPECT_EQ(working.GPLFolder, game.toStdString());

    working.GPLFolder = kNoGameFolder;
    qputenv("HOME", root.path().toUtf8());
    Open();
    EXPECT_EQ(chooser->OpenFolderPath(), root.path());
    EXPECT_EQ(working.GPLFolder, kNoGameFolder);
}

TEST_F(GplPathDialogTest, FolderWithReadableGameEnablesOKAndSubfolderDisablesIt) {
    Open();
    ASSERT_TRUE(chooser->OpenFolder(game));
    EXPECT_EQ(working.GPLFolder, game.toStdString());
    EXPECT_TRUE(chooser->FolderValid());
    EXPECT_TRUE(OK()->isEnabled());

    ASSERT_TRUE(chooser->OpenFolder(game + "/tracks/"));
    EXPECT_EQ(working.GPLFolder, (game + "/tracks").toStdString())
        << "the last folder visited is kept even while OK is disabled";
    EXPECT_FALSE(OK()->isEnabled());

    EXPECT_FALSE(chooser->OpenFolder(game + "/missing"));
    EXPECT_FALSE(chooser->OpenFolder(game + "/gpl.exe")) << "a file is no folder";
    EXPECT_EQ(working.GPLFolder, (game + "/tracks").toStdString());
}

TEST_F(GplPathDialogTest, GameThatCannotBeReadIsRefusedEvenForRoot) {
    const QString dangling = root.filePath("Dangling");
    const QString folderExe = root.filePath("FolderExe");
    ASSERT_TRUE(QDir().mkpath(dangling));
    ASSERT_TRUE(QDir().mkpath(folderExe + "/gpl.exe"));
    ASSERT_TRUE(QFile::link(root.filePath("gone.exe"), dangling + "/gpl.exe"));
    Open();
    ASSERT_TRUE(chooser->OpenFolder(game));
    ASSERT_TRUE(OK()->isEnabled());
    ASSERT_TRUE(chooser->OpenFolder(dangling));
    EXPECT_FALSE(OK()->isEnabled()) << "dangling link";
    ASSERT_TRUE(chooser->OpenFolder(game));
    ASSERT_TRUE(chooser->OpenFolder(folderExe));
    EXPECT_FALSE(OK()->isEnabled()) << "gpl.exe is a folder";
}

TEST_F(GplPathDialogTest, DoubleClickOpensAFolderWhileHighlightingDoesNothing) {
    working.GPLFolder = root.path().toStdString();
    Open();
    chooser->show();
    auto* list = chooser->findChild<QListWidget*>("dirFolder");
    ASSERT_NE(list, nullptr);
    QListWidgetItem* gameItem = nullptr;
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->data(Qt::UserRole).toString() == game) gameItem = list->item(row);
    }
    ASSERT_NE(gameItem, nullptr);
    list->setCurrentItem(gameItem);
    EXPECT_EQ(working.GPLFolder, root.path().toStdString());
    EXPECT_FALSE(OK()->isEnabled());

    list->scrollToItem(gameItem);
    const QPoint centre = list->visualItemRect(gameItem).center();
    // A double-click arrives as a press, a release, then the double-click itself.
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::qWait(20);
    EXPECT_EQ(working.GPLFolder, root.path().toStdString()) << "a single click only highlights";
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::qWait(20);
    EXPECT_EQ(chooser->OpenFolderPath(), game);
    EXPECT_EQ(working.GPLFolder, game.toStdString());
    EXPECT_TRUE(OK()->isEnabled());
}

TEST_F(GplPathDialogTest, DriveChangeChecksItsStartingFolder) {
    qputenv("HOME", game.toUtf8());  // the home entry leads straight to the game
    working.GPLFolder = root.path().toStdString();
    Open();
    auto* drives = chooser->findChild<QComboBox*>("drvDrive");
    ASSERT_EQ(drives->itemText(0), game);
    EXPECT_FALSE(OK()->isEnabled());
    ASSERT_TRUE(chooser->ChangeDrive(0));
    EXPECT_EQ(working.GPLFolder, game.toStdString());
    EXPECT_TRUE(OK()->isEnabled());
    EXPECT_FALSE(chooser->ChangeDrive(drives->count()));
}

TEST_F(GplPathDialogTest, RootFolderIsTheBareSeparator) {
    Open();
    ASSERT_TRUE(chooser->OpenFolder("/"));
    EXPECT_EQ(working.GPLFolder, "/");
}

TEST_F(GplPathDialogTest, OKKeepsTheLastFolder) {
    Open();
    chooser->show();
    ASSERT_TRUE(chooser->OpenFolder(game));
    OK()->click();
    EXPECT_EQ(chooser->result(), QDialog::Accepted);
    EXPECT_EQ(working.GPLFolder, game.toStdString());
}

TEST_F(GplPathDialogTest, CancelAndFrameCloseDeclareTheGameNotInstalled) {
    working.GPLFolder = game.toStdString();  // valid before: Cancel still drops it
    Open();
    chooser->show();
    chooser->findChild<QPushButton*>("cmdCancel")->click();
    EXPECT_EQ(chooser->result(), QDialog::Rejected);
    EXPECT_EQ(working.GPLFolder, kNoGameFolder);

    Open();
    chooser->show();
    ASSERT_TRUE(chooser->OpenFolder(game + "/tracks"));
    chooser->close();
    EXPECT_EQ(chooser->result(), QDialog::Rejected);
    EXPECT_EQ(working.GPLFolder, kNoGameFolder) << "not the unchecked folder last visited";
}

TEST_F(GplPathDialogTest, FolderListShowsAncestorsThenSubfoldersOnly) {
    const auto entries = FolderListEntries(game.toStdString());
    ASSERT_GE(entries.size(), 3u);
    EXPECT_EQ(entries.front().path, "/");
    std::size_t open = entries.size();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].isOpen) open = i;
    }
    ASSERT_LT(open, entries.size());
    EXPECT_EQ(entries[open].path, game.toStdString());
    ASSERT_EQ(entries.size(), open + 3) << "two subfolders, no files";
    EXPECT_EQ(entries[open + 1].name, ".wine");
    EXPECT_EQ(entries[open + 2].name, "tracks");
    EXPECT_EQ(entries[open + 2].depth, entries[open].depth + 1);
    EXPECT_FALSE(entries[open + 2].isAncestor);
    EXPECT_TRUE(FolderListEntries((game + "/gpl.exe").toStdString()).empty());
}

TEST_F(GplPathDialogTest, FolderNameThatIsNotUtf8IsOpenedStoredAndFoundAgainAsItsBytes) {
    const std::string base = root.path().toStdString();
    const std::string latin1 = base + "/caf\xE9";
    ASSERT_TRUE(std::filesystem::create_directories(latin1 + "/tracks"));
    std::ofstream(latin1 + "/gpl.exe") << "MZ";
    working.GPLFolder = base;
    Open();
    auto* list = chooser->findChild<QListWidget*>("dirFolder");
    QListWidgetItem* item = nullptr;
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->data(Qt::UserRole).toByteArray().toStdString() == latin1) {
            item = list->item(row);
        }
    }
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text().trimmed(), QString::fromUtf8("caf\u00e9"));
    emit list->itemActivated(item);
    QTest::qWait(20);
    EXPECT_EQ(working.GPLFolder, latin1);
    EXPECT_TRUE(OK()->isEnabled());

    // Stored, checked at the next start, and its track files load and save.
    ASSERT_TRUE(WriteConfigFile(base + "/Vistolarex.cfg", working).ok);
    Settings restarted;
    const StartupConfig startup = LoadConfigAtStartup(base, restarted);
    EXPECT_TRUE(startup.notices.empty());
    EXPECT_EQ(restarted.GPLFolder, latin1);
    EXPECT_EQ(startup.camPath, latin1 + "/tracks");
    CamDocument doc;
    NewDocument(doc);
    const std::string track = startup.camPath + "/\xE9t\xE9.cam";
    ASSERT_EQ(WriteCamFile(track, doc).outcome, SaveOutcome::Success);
    EXPECT_EQ(ReadCamFile(track, doc).outcome, LoadOutcome::Success);
}

}  // namespace
}  // namespace vx
