// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "modal_answerer.h"
#include "platform/qt/qt_file_dialog.h"
#include "support/scripted_platform.h"

namespace vx {
namespace {

// Where the dialog opened and which name it offered.
struct Seen {
    std::string folder;
    std::string fileName;
};

// Each harness offers Dialog(), PickNext(path) (the user's next answer: a full
// path, or nullopt to cancel) and LastSeen().
class ScriptedHarness {
  public:
    FileDialog& Dialog() { return dialog_; }
    void PickNext(std::optional<std::string> path) { dialog_.picks.push_back(path); }
    Seen LastSeen() { return {dialog_.initialFolder, dialog_.fileName}; }

  private:
    testing::ScriptedFileDialog dialog_;
};

class QtHarness {
  public:
    FileDialog& Dialog() { return dialog_; }
    void PickNext(std::optional<std::string> path) {
        answerer_.AnswerNext([this, path](QFileDialog& dialog) {
            seen_.folder = QDir::cleanPath(dialog.directory().absolutePath()).toStdString();
            auto* nameEdit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            seen_.fileName = nameEdit != nullptr ? nameEdit->text().toStdString() : "?";
            if (!path) {
                dialog.reject();
                return;
            }
            dialog.selectFile(QString::fromStdString(*path));
            static_cast<QDialog&>(dialog).accept();  // runs QFileDialog::accept
        });
    }
    Seen LastSeen() {
        EXPECT_TRUE(answerer_.Answered());
        return seen_;
    }

  private:
    QtFileDialog dialog_;
    testing::ModalAnswerer<QFileDialog> answerer_;
    Seen seen_;
};

template <class Harness>
class FileDialogContract : public ::testing::Test {
  protected:
    void SetUp() {
        ASSERT_TRUE(dir.isValid());
        folder = QDir::cleanPath(dir.path()).toStdString();
        existing = folder + "/monza.cam";
        QFile file(QString::fromStdString(existing));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QTemporaryDir dir;
    std::string folder;
    std::string existing;
    Harness harness;
};
using Harnesses = ::testing::Types<ScriptedHarness, QtHarness>;
TYPED_TEST_SUITE(FileDialogContract, Harnesses);

TYPED_TEST(FileDialogContract, OpensInTheFolderItWasGivenOffersTheNameAndReturnsThePick) {
    auto& user = this->harness;
    FileDialog& dialog = user.Dialog();
    dialog.SetInitialFolder(this->folder);
    dialog.SetFileName("");
    user.PickNext(this->existing);
    EXPECT_EQ(dialog.AskOpen(), this->existing);
    Seen seen = user.LastSeen();
    EXPECT_EQ(seen.folder, this->folder);
    EXPECT_EQ(seen.fileName, "");
    EXPECT_EQ(dialog.InitialFolder(), this->folder);

    dialog.SetFileName("monza.cam");
    user.PickNext(this->folder + "/new.cam");
    EXPECT_EQ(dialog.AskSave(), this->folder + "/new.cam");
    seen = user.LastSeen();
    EXPECT_EQ(seen.folder, this->folder);
    EXPECT_EQ(seen.fileName, "monza.cam");
}

TYPED_TEST(FileDialogContract, CancelIsNotAnEmptyNameAndKeepsTheFolder) {
    FileDialog& dialog = this->harness.Dialog();
    dialog.SetInitialFolder(this->folder);
    this->harness.PickNext(std::nullopt);
    EXPECT_EQ(dialog.AskOpen(), std::nullopt);
    this->harness.PickNext(std::nullopt);
    EXPECT_EQ(dialog.AskSave(), std::nullopt);
    EXPECT_EQ(dialog.InitialFolder(), this->folder);
}

TEST(QtNameFilters, TurnsPipePairsIntoQtFilters) {
    EXPECT_EQ(QtNameFilters(kFileDialogFilter), "GPL-camera-files (*.cam);;All Files (*.*)");
    EXPECT_EQ(QtNameFilters("Logs|*.txt;*.log"), "Logs (*.txt *.log)");
    EXPECT_EQ(QtNameFilters(""), "");
}

TEST(QtFileDialog, ShowsTitleAndFiltersAndSavesATypedNameAsCamWithoutAsking) {
    QTemporaryDir dir;
    const QString folder = QDir::cleanPath(dir.path());
    QFile old(folder + "/track.cam");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();

    QtFileDialog dialog;
    dialog.SetInitialFolder(folder.toStdString());
    testing::ModalAnswerer<QFileDialog> answerer;
    QString title;
    QStringList filters;
    bool confirms = true;
    answerer.AnswerNext([&](QFileDialog& shown) {
        title = shown.windowTitle();
        filters = shown.nameFilters();
        confirms = !shown.testOption(QFileDialog::DontConfirmOverwrite);
        shown.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText("track");
        static_cast<QDialog&>(shown).accept();
    });
    // An existing file: the dialog must not put up its own overwrite question,
    // which would leave this exec() waiting.
    EXPECT_EQ(dialog.AskSave(), (folder + "/track.cam").toStdString());
    EXPECT_EQ(title, "Vistolarex: Load&Save");
    EXPECT_EQ(filters, QStringList({"GPL-camera-files (*.cam)", "All Files (*.*)"}));
    EXPECT_FALSE(confirms);
}

TEST(QtFileDialog, FolderWhoseNameIsNotUtf8OpensAndGivesItsOwnBytesBack) {
    QTemporaryDir dir;
    const std::string folder = QDir::cleanPath(dir.path()).toStdString() + "/caf\xE9/tracks";
    ASSERT_TRUE(std::filesystem::create_directories(folder));
    std::ofstream(folder + "/monza.cam") << "x";

    QtFileDialog dialog;
    dialog.SetInitialFolder(folder);
    testing::ModalAnswerer<QFileDialog> answerer;
    answerer.AnswerNext([](QFileDialog& shown) {
        shown.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText("monza.cam");
        static_cast<QDialog&>(shown).accept();
    });
    EXPECT_EQ(dialog.AskOpen(), folder + "/monza.cam");
    EXPECT_TRUE(answerer.Answered());
}

}  // namespace
}  // namespace vx
