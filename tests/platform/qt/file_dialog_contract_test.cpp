// SPDX-FileCopyrightText: The Vistolarex developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <filesystem>
#include <fstream>

#include "modal_answerer.h"
#include "platform/qt/qt_file_dialog.h"
#include "support/scratch_folder.h"
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
    testing::ScratchFolder scratch;
    const std::string folder = scratch.Root();
    const std::string existing = scratch.WriteFile("monza.cam", "", false);
    Harness harness;
};
using Harnesses = ::testing::Types<ScriptedHarness, QtHarness>;
TYPED_TEST_SUITE(FileDialogContract, Harnesses);

// Opens in the folder it was given, offers the name, returns the pick; Cancel is
// no name at all and keeps the folder.
TYPED_TEST(FileDialogContract, OpensInTheGivenFolderOffersTheNameAndReturnsThePick) {
    auto& user = this->harness;
    FileDialog& dialog = user.Dialog();
    dialog.SetInitialFolder(this->folder);
    const struct {
        const char* offered;
        std::optional<std::string> pick;
        bool save;
    } rows[] = {{"", this->existing, false},
                {"monza.cam", this->folder + "/new.cam", true},
                {"", std::nullopt, false},
                {"", std::nullopt, true}};
    for (const auto& row : rows) {
        dialog.SetFileName(row.offered);
        user.PickNext(row.pick);
        EXPECT_EQ(row.save ? dialog.AskSave() : dialog.AskOpen(), row.pick);
        const Seen seen = user.LastSeen();
        EXPECT_EQ(seen.folder, this->folder);
        EXPECT_EQ(seen.fileName, row.offered);
        EXPECT_EQ(dialog.InitialFolder(), this->folder);
    }
}

TEST(QtNameFilters, TurnsPipePairsIntoQtFilters) {
    EXPECT_EQ(QtNameFilters(kFileDialogFilter), "GPL-camera-files (*.cam);;All Files (*.*)");
    EXPECT_EQ(QtNameFilters("Logs|*.txt;*.log"), "Logs (*.txt *.log)");
    EXPECT_EQ(QtNameFilters(""), "");
}

// A typed name is saved as .cam without the dialog's own overwrite question, which
// would leave exec() waiting; a folder whose name is not UTF-8 gives its bytes back.
TEST(QtFileDialog, ShowsTitleAndFiltersAndKeepsTheFileSystemsBytes) {
    testing::ScratchFolder scratch;
    const std::string folder = scratch.Path("caf\xE9");
    ASSERT_TRUE(std::filesystem::create_directories(folder));
    std::ofstream(folder + "/track.cam") << "x";
    QtFileDialog dialog;
    dialog.SetInitialFolder(folder);
    testing::ModalAnswerer<QFileDialog> answerer;
    QString title;
    QStringList filters;
    bool confirms = true;
    for (bool save : {true, false}) {
        answerer.AnswerNext([&](QFileDialog& shown) {
            title = shown.windowTitle();
            filters = shown.nameFilters();
            confirms = !shown.testOption(QFileDialog::DontConfirmOverwrite);
            shown.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(save ? "track" : "track.cam");
            static_cast<QDialog&>(shown).accept();
        });
        EXPECT_EQ(save ? dialog.AskSave() : dialog.AskOpen(), folder + "/track.cam");
        EXPECT_TRUE(answerer.Answered());
        EXPECT_EQ(title, "Vistolarex: Load&Save");
        EXPECT_EQ(filters, QStringList({"GPL-camera-files (*.cam)", "All Files (*.*)"}));
        EXPECT_FALSE(save && confirms);
    }
}

}  // namespace
}  // namespace vx
