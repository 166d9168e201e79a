#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <functional>
#include <memory>

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

class DialogHarness {
  public:
    virtual ~DialogHarness() = default;
    virtual FileDialog& Dialog() = 0;
    // The user's next answer: a full path, or nullopt to cancel.
    virtual void PickNext(std::optional<std::string> path) = 0;
    virtual Seen LastSeen() = 0;
};

class ScriptedHarness : public DialogHarness {
  public:
    FileDialog& Dialog() override { return dialog_; }
    void PickNext(std::optional<std::string> path) override { dialog_.picks.push_back(path); }
    Seen LastSeen() override { return {dialog_.initialFolder, dialog_.fileName}; }

  private:
    testing::ScriptedFileDialog dialog_;
};

class QtHarness : public DialogHarness {
  public:
    FileDialog& Dialog() override { return dialog_; }
    void PickNext(std::optional<std::string> path) override {
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
    Seen LastSeen() override {
        EXPECT_TRUE(answerer_.Answered());
        return seen_;
    }

  private:
    QtFileDialog dialog_;
    testing::ModalAnswerer<QFileDialog> answerer_;
    Seen seen_;
};

using HarnessFactory = std::function<std::unique_ptr<DialogHarness>()>;

class FileDialogContract : public ::testing::TestWithParam<HarnessFactory> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        folder = QDir::cleanPath(dir.path()).toStdString();
        existing = folder + "/monza.cam";
        QFile file(QString::fromStdString(existing));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QTemporaryDir dir;
    std::string folder;
    std::string existing;
    std::unique_ptr<DialogHarness> harness = GetParam()();
};

TEST_P(FileDialogContract, OpensInTheFolderItWasGivenAndReturnsThePick) {
    FileDialog& dialog = harness->Dialog();
    dialog.SetInitialFolder(folder);
    dialog.SetFileName("");
    harness->PickNext(existing);
    EXPECT_EQ(dialog.AskOpen(), existing);
    Seen seen = harness->LastSeen();
    EXPECT_EQ(seen.folder, folder);
    EXPECT_EQ(seen.fileName, "");
    EXPECT_EQ(dialog.InitialFolder(), folder);

    harness->PickNext(folder + "/new.cam");
    EXPECT_EQ(dialog.AskSave(), folder + "/new.cam");
    EXPECT_EQ(harness->LastSeen().folder, folder);
}

TEST_P(FileDialogContract, CancelIsNotAnEmptyNameAndKeepsTheFolder) {
    FileDialog& dialog = harness->Dialog();
    dialog.SetInitialFolder(folder);
    harness->PickNext(std::nullopt);
    EXPECT_EQ(dialog.AskOpen(), std::nullopt);
    harness->PickNext(std::nullopt);
    EXPECT_EQ(dialog.AskSave(), std::nullopt);
    EXPECT_EQ(dialog.InitialFolder(), folder);
}

TEST_P(FileDialogContract, OffersTheFileNameItWasGiven) {
    FileDialog& dialog = harness->Dialog();
    dialog.SetInitialFolder(folder);
    dialog.SetFileName("monza.cam");
    harness->PickNext(existing);
    EXPECT_EQ(dialog.AskOpen(), existing);
    EXPECT_EQ(harness->LastSeen().fileName, "monza.cam");
}

INSTANTIATE_TEST_SUITE_P(Scripted, FileDialogContract, ::testing::Values(HarnessFactory([] {
                             return std::make_unique<ScriptedHarness>();
                         })));
INSTANTIATE_TEST_SUITE_P(Qt, FileDialogContract, ::testing::Values(HarnessFactory([] {
                             return std::make_unique<QtHarness>();
                         })));

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

}  // namespace
}  // namespace vx
